#pragma once

#include <QtGlobal>
#include <cstdint>
#include <functional>
#include <vector>

namespace quorix::ui {

// A control array: elements of one kind under one name, addressed by index from 0. The
// elements are widgets owned by their parent window; the array only finds them. Elements that
// were never created read as null.
template <class Control> class ControlArray {
public:
    // Called for every element as it joins the array, so its events can be forwarded with its
    // index.
    using Wiring = std::function<void(std::int16_t index, Control& element)>;

    static constexpr int LargestIndex = 32767;

    void setWiring(Wiring wiring) { wiring_ = std::move(wiring); }

    // Puts a designed element in place. Returns false (and changes nothing) for an index out of
    // range, a null element, or an index already taken.
    bool add(int index, Control* element) {
        if (index < 0 || index > LargestIndex || element == nullptr || exists(index)) {
            return false;
        }
        if (static_cast<std::size_t>(index) >= elements_.size()) {
            elements_.resize(static_cast<std::size_t>(index) + 1, nullptr);
        }
        elements_[static_cast<std::size_t>(index)] = element;
        if (wiring_) {
            wiring_(static_cast<std::int16_t>(index), *element);
        }
        return true;
    }

    // Creates element `index` as a hidden copy of element 0 as it stands now. Returns false
    // when the index is out of range or already taken, or element 0 does not exist.
    [[nodiscard]] bool load(int index) {
        if (index < 0 || index > LargestIndex || exists(index) || !exists(0)) {
            return false;
        }
        return add(index, elements_[0]->makeHiddenCopy());
    }

    // The element. Addressing an element that does not exist is a fault in the program (the old
    // runtime stopped with "Control array element doesn't exist"); it stops the program here too.
    Control& operator[](int index) const {
        if (!exists(index)) {
            qFatal("Control array element %d doesn't exist", index);
        }
        return *elements_[static_cast<std::size_t>(index)];
    }

    // The element, or null when it does not exist.
    Control* find(int index) const {
        return exists(index) ? elements_[static_cast<std::size_t>(index)] : nullptr;
    }

    bool exists(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < elements_.size() &&
               elements_[static_cast<std::size_t>(index)] != nullptr;
    }

    // The highest index that exists, -1 for an empty array.
    int upperBound() const {
        for (std::size_t i = elements_.size(); i > 0; --i) {
            if (elements_[i - 1] != nullptr) {
                return static_cast<int>(i - 1);
            }
        }
        return -1;
    }

private:
    std::vector<Control*> elements_;
    Wiring wiring_;
};

} // namespace quorix::ui
