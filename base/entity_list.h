#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <utility>

// The game's lists of live objects. New objects go in at the front and every pass runs front to
// back, so a pass meets the newest objects first and never visits one inserted while it runs.
// The list owns its objects: removing one deletes it, and so does destroying the list.
template <typename T> class EntityList {
  public:
    using Iterator = typename std::list<std::unique_ptr<T>>::iterator;
    using ConstIterator = typename std::list<std::unique_ptr<T>>::const_iterator;

    T& pushFront(std::unique_ptr<T> object) {
        objects_.push_front(std::move(object));
        return *objects_.front();
    }

    // Deletes the object at `at` and gives the position of the one that followed it.
    Iterator remove(Iterator at) { return objects_.erase(at); }

    // Deletes every object.
    void clear() { objects_.clear(); }

    Iterator begin() { return objects_.begin(); }
    Iterator end() { return objects_.end(); }
    ConstIterator begin() const { return objects_.begin(); }
    ConstIterator end() const { return objects_.end(); }
    std::size_t size() const { return objects_.size(); }
    bool empty() const { return objects_.empty(); }

  private:
    std::list<std::unique_ptr<T>> objects_;
};
