#pragma once

#include <QDBusContext>
#include <QObject>
#include <QString>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace quorix::platform::testing_support {

// The session's screen saver service as desktops offer it, on a test bus: hands out cookies for
// Inhibit, takes them back on UnInhibit, and remembers every call. Lives in a thread of its own
// with an event loop, so that a test's blocking call can be answered. Optionally refuses.
class FakeScreenSaver : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    explicit FakeScreenSaver(bool refuse) : refuse_(refuse) {}

    std::set<uint> active() const {
        std::lock_guard lock(mutex_);
        return active_;
    }
    std::vector<std::string> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }

public slots:
    uint Inhibit(const QString& application, const QString& reason) {
        std::lock_guard lock(mutex_);
        calls_.push_back("Inhibit " + application.toStdString() + ": " + reason.toStdString());
        if (refuse_) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("not now"));
            return 0;
        }
        const uint cookie = next_++;
        active_.insert(cookie);
        return cookie;
    }

    void UnInhibit(uint cookie) {
        std::lock_guard lock(mutex_);
        calls_.push_back("UnInhibit " + std::to_string(cookie));
        active_.erase(cookie);
    }

private:
    const bool refuse_;
    mutable std::mutex mutex_;
    uint next_ = 41;
    std::set<uint> active_;
    std::vector<std::string> calls_;
};

} // namespace quorix::platform::testing_support
