#pragma once

#include <map>
#include <string>

#include <KorrGeomCore/Service/Utf16Order.h>

namespace KorrCore {

// A registry of objects by name, for pointer-like T whose objects tell their
// name through GetName(). Names are ordered by UTF-16 code units and compared
// exactly; the first object registered under a name keeps it.
template <class T>
class TObjectPtrManager {
public:
    // The objects by name, and a position among them.
    using Map = std::map<std::wstring, T, Utf16Order>;
    using const_iterator = typename Map::const_iterator;

    // Registers the object under its current name; false for a null object or
    // a name already taken (the registry is then unchanged). Renaming an object
    // later does not move it.
    bool AddObject(const T& object)
    {
        if (!object)
            return false;
        return objects.emplace(object->GetName(), object).second;
    }

    // The object registered under the name, or a null pointer.
    T GetObject(const std::wstring& name) const
    {
        const auto found = objects.find(name);
        return found == objects.end() ? T() : found->second;
    }

    // Removes the name's entry; an unknown name changes nothing.
    void RemoveObject(const std::wstring& name) { objects.erase(name); }
    // Removes every entry.
    void Clear() { objects.clear(); }
    // The number of entries.
    int size() const { return static_cast<int>(objects.size()); }

    // (name, object) pairs in name order.
    const_iterator begin() const { return objects.begin(); }
    const_iterator end() const { return objects.end(); }

private:
    Map objects;
};

} // namespace KorrCore
