#pragma once
#include <memory>
#include <utility>
#include <vector>

namespace qz {

// The engine's growable list: indices run from 1 to Count(), and 0 stands for "none".
// Every element lives at a stable address until it is removed, so a pointer taken from At()
// survives later appends and the removal of other elements.
template <class T> class List {
  public:
    int Count() const { return static_cast<int>(items_.size()); }
    bool Contains(int index) const { return index >= 1 && index <= Count(); }

    // The element at a 1-based index; nullptr for an index outside 1..Count(), so that a stale
    // or foreign index is never acted on.
    T* At(int index) { return Contains(index) ? items_[index - 1].get() : nullptr; }
    const T* At(int index) const { return Contains(index) ? items_[index - 1].get() : nullptr; }

    // Appends an element and returns its index.
    int Append(T item = T{}) {
        items_.push_back(std::make_unique<T>(std::move(item)));
        return Count();
    }

    // Adds a control record by the slot rule: a list holding exactly one record whose window is 0
    // (the blank record every control list is created with) gives that slot to the new record;
    // any other list grows by one. Returns the record's index.
    int Add(T item = T{}) {
        if (Count() == 1 && items_[0]->window == nullptr) {
            *items_[0] = std::move(item);
            return 1;
        }
        return Append(std::move(item));
    }

    // Removes the element at a 1-based index; those behind it move down by one.
    bool RemoveAt(int index) {
        if (!Contains(index)) return false;
        items_.erase(items_.begin() + (index - 1));
        return true;
    }

    // Releases the elements from index 1 up, then empties the list.
    void Clear() {
        for (auto& item : items_)
            item.reset();
        items_.clear();
    }

    // Empties the list and leaves the one blank record a new control list starts with.
    void ResetToBlank() {
        Clear();
        Append();
    }

    // 1-based index of the first element whose window is hwnd; 0 when there is none. A null
    // handle is never found, so the blank record of a control list cannot be mistaken for a
    // control.
    template <class Handle> int IndexOfWindow(Handle hwnd) const {
        if (!hwnd) return 0;
        for (int i = 1; i <= Count(); ++i)
            if (items_[i - 1]->window == hwnd) return i;
        return 0;
    }

    template <class F> void ForEach(F&& f) {
        for (auto& item : items_)
            f(*item);
    }
    template <class F> void ForEach(F&& f) const {
        for (const auto& item : items_)
            f(*item);
    }

  private:
    std::vector<std::unique_ptr<T>> items_;
};

} // namespace qz
