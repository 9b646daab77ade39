#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <type_traits>
#include <utility>

// The game's lists of live objects. New objects go in at the front and every pass runs front to
// back, so a pass meets the newest objects first and never visits one inserted while it runs.
// The list owns its objects: removing one deletes it, and so does destroying the list.
// A copy of a list is a deep copy, in the same order: a copied game plays on exactly as the
// original would. Lists of an abstract kind (enemies, shots) copy each object by its own
// `clone`, so each keeps its concrete kind.
template <typename T> class EntityList {
  public:
    using Iterator = typename std::list<std::unique_ptr<T>>::iterator;
    using ConstIterator = typename std::list<std::unique_ptr<T>>::const_iterator;

    EntityList() = default;
    EntityList(const EntityList& other) {
        for (const auto& object : other.objects_) {
            objects_.push_back(copyOf(*object));
        }
    }
    EntityList(EntityList&&) noexcept = default;
    EntityList& operator=(const EntityList& other) {
        if (this != &other) {
            EntityList copy(other);
            objects_.swap(copy.objects_);
        }
        return *this;
    }
    EntityList& operator=(EntityList&&) noexcept = default;
    ~EntityList() = default;

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
    static std::unique_ptr<T> copyOf(const T& object) {
        if constexpr (std::is_abstract_v<T>) {
            return object.clone();
        } else {
            return std::make_unique<T>(object);
        }
    }

    std::list<std::unique_ptr<T>> objects_;
};
