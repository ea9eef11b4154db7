#pragma once

#include "author/ClipImport.h"
#include "author/DiscCatalogue.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;
class QTableWidget;

namespace quorix::author {

// The catalogue's controls: the titles and their files in menu order, the intro and the closing
// logo. Titles and files are edited in place; clips come from the Add button or are dropped from
// a file manager. Every change is reported with the whole catalogue; the window writes it.
class CatalogueEditor : public QWidget {
    Q_OBJECT

public:
    explicit CatalogueEditor(QWidget* parent = nullptr);

    // Shows a catalogue; reports nothing.
    void setCatalogue(const DiscCatalogue& catalogue);
    const DiscCatalogue& catalogue() const { return catalogue_; }
    // The row of the selected entry, -1 without one.
    int selectedEntry() const;
    void selectEntry(int index);
    ClipPlacement placement() const;

    // Appends entries (at most up to the sixteen the presenter has) and reports the change. A
    // title that an entry has already gets a number, so that each keeps its own clip.
    // Returns how many did not fit.
    int appendEntries(const std::vector<CatalogueEntry>& entries);

    QTableWidget* table() const { return table_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* removeButton() const { return remove_; }
    QPushButton* upButton() const { return up_; }
    QPushButton* downButton() const { return down_; }
    QComboBox* introBox() const { return intro_; }
    QCheckBox* logoBox() const { return logo_; }
    QComboBox* placementBox() const { return placement_; }

signals:
    void edited();
    void selectionChanged(int index);
    void addRequested();
    void filesDropped(const QStringList& files);
    // A title or a file name was typed that the presenter cannot use; the entry is as it was.
    void editRefused(const QString& reason);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCatalogue();
    void cellEdited(int row, int column);
    void move(int step);
    void removeSelected();
    void introChosen(int index);
    void report();
    // The row of another entry with this title, -1 when no other has it.
    int entryTitled(const QString& title, int besides) const;

    DiscCatalogue catalogue_;
    bool showing_ = false;
    QTableWidget* table_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QComboBox* intro_ = nullptr;
    QCheckBox* logo_ = nullptr;
    QComboBox* placement_ = nullptr;
};

} // namespace quorix::author
