// The framework's collections: a growable array that never owns, an ordered
// object list and a string-keyed object map that may own their elements.
#pragma once

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/cstring.h"
#include "support/bwizc_object.h"

// Growable array (normally of pointers). It never owns what it holds.
// Capacity starts at the initial capacity and grows by the growth step when
// full. Indexed reads clamp the index into [0, size-1]; reading an empty
// array gives a value-initialised element (null for pointers).
template <class T>
class BWIZC_ARRAY : public BWIZC_OBJECT {
public:
    static constexpr int DEFAULT_CAPACITY = 10;
    static constexpr int DEFAULT_GROWTH = 10;

    explicit BWIZC_ARRAY(int initial_capacity = DEFAULT_CAPACITY, int growth = DEFAULT_GROWTH,
                         const CString& name = CString())
        : BWIZC_OBJECT(name),
          m_capacity(initial_capacity > 0 ? initial_capacity : 0),
          m_growth(growth > 0 ? growth : DEFAULT_GROWTH) {
        m_items.reserve(static_cast<size_t>(m_capacity));
    }

    int get_size() const { return static_cast<int>(m_items.size()); }
    int get_capacity() const { return m_capacity; }
    int get_growth() const { return m_growth; }
    bool is_empty() const { return m_items.empty(); }

    // Appends and returns the new element's index.
    int add(const T& item) {
        grow_for(1);
        m_items.push_back(item);
        return get_size() - 1;
    }
    // Inserts before index (clamped into [0, size]).
    void insert_at(int index, const T& item) {
        grow_for(1);
        index = std::clamp(index, 0, get_size());
        m_items.insert(m_items.begin() + index, item);
    }
    // Replaces the element at index; out of range does nothing.
    void set_at(int index, const T& item) {
        if (index >= 0 && index < get_size()) m_items[static_cast<size_t>(index)] = item;
    }
    T get_at(int index) const {
        if (m_items.empty()) return T();
        return m_items[static_cast<size_t>(std::clamp(index, 0, get_size() - 1))];
    }
    T operator[](int index) const { return get_at(index); }
    T get_first() const { return get_at(0); }
    T get_last() const { return get_at(get_size() - 1); }

    // Index of the first element equal to item, or -1.
    int find(const T& item) const {
        auto it = std::find(m_items.begin(), m_items.end(), item);
        return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
    }
    bool contains(const T& item) const { return find(item) >= 0; }
    // Removes the element at index; out of range does nothing.
    void remove_at(int index) {
        if (index >= 0 && index < get_size()) m_items.erase(m_items.begin() + index);
    }
    // Removes the first element equal to item; false when there is none.
    bool remove(const T& item) {
        int i = find(item);
        if (i < 0) return false;
        remove_at(i);
        return true;
    }
    // Empties the array; the capacity stays.
    void remove_all() { m_items.clear(); }

    typename std::vector<T>::const_iterator begin() const { return m_items.begin(); }
    typename std::vector<T>::const_iterator end() const { return m_items.end(); }

private:
    void grow_for(int extra) {
        while (get_size() + extra > m_capacity) m_capacity += m_growth;
        m_items.reserve(static_cast<size_t>(m_capacity));
    }

    std::vector<T> m_items;
    int m_capacity;
    int m_growth;
};

// Ordered list of objects. When it owns its elements it deletes them when it
// is destroyed; delete_all always deletes them and empties the list.
template <class T = BWIZC_OBJECT>
class BWIZC_OBJ_LIST : public BWIZC_OBJECT {
public:
    explicit BWIZC_OBJ_LIST(bool owns_elements = false) : m_owns(owns_elements) {}
    BWIZC_OBJ_LIST(const BWIZC_OBJ_LIST&) = delete;
    BWIZC_OBJ_LIST& operator=(const BWIZC_OBJ_LIST&) = delete;
    ~BWIZC_OBJ_LIST() override {
        if (m_owns) delete_all();
    }

    bool owns_elements() const { return m_owns; }
    void set_owns_elements(bool owns) { m_owns = owns; }

    int get_count() const { return static_cast<int>(m_items.size()); }
    bool is_empty() const { return m_items.empty(); }
    void add_tail(T* item) { m_items.push_back(item); }
    void add_head(T* item) { m_items.insert(m_items.begin(), item); }
    // Null when the list is empty or index is out of range.
    T* get_head() const { return m_items.empty() ? nullptr : m_items.front(); }
    T* get_tail() const { return m_items.empty() ? nullptr : m_items.back(); }
    T* get_at(int index) const {
        return (index >= 0 && index < get_count()) ? m_items[static_cast<size_t>(index)] : nullptr;
    }
    // Removes and returns the element without deleting it; null when empty.
    T* remove_head() {
        if (m_items.empty()) return nullptr;
        T* item = m_items.front();
        m_items.erase(m_items.begin());
        return item;
    }
    T* remove_tail() {
        if (m_items.empty()) return nullptr;
        T* item = m_items.back();
        m_items.pop_back();
        return item;
    }
    int find(const T* item) const {
        auto it = std::find(m_items.begin(), m_items.end(), item);
        return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
    }
    // Takes the element out of the list without deleting it.
    bool remove(const T* item) {
        auto it = std::find(m_items.begin(), m_items.end(), item);
        if (it == m_items.end()) return false;
        m_items.erase(it);
        return true;
    }
    void remove_all() { m_items.clear(); }
    void delete_all() {
        std::vector<T*> items;
        items.swap(m_items);
        for (T* item : items) delete item;
    }

    typename std::vector<T*>::const_iterator begin() const { return m_items.begin(); }
    typename std::vector<T*>::const_iterator end() const { return m_items.end(); }

private:
    std::vector<T*> m_items;
    bool m_owns;
};

// String-keyed object map; keys compare exactly (case-sensitive). Iteration
// follows insertion order; replacing the value of a key keeps its place.
// delete_all deletes every value and empties the map; an owning map does the
// same when it is destroyed.
template <class T = BWIZC_OBJECT>
class BWIZC_OBJ_MAP : public BWIZC_OBJECT {
public:
    using ENTRY = std::pair<CString, T*>;

    explicit BWIZC_OBJ_MAP(bool owns_values = false) : m_owns(owns_values) {}
    BWIZC_OBJ_MAP(const BWIZC_OBJ_MAP&) = delete;
    BWIZC_OBJ_MAP& operator=(const BWIZC_OBJ_MAP&) = delete;
    ~BWIZC_OBJ_MAP() override {
        if (m_owns) delete_all();
    }

    bool owns_values() const { return m_owns; }
    void set_owns_values(bool owns) { m_owns = owns; }

    int get_count() const { return static_cast<int>(m_entries.size()); }
    bool is_empty() const { return m_entries.empty(); }

    // The value stored under key, or null.
    T* get(const CString& key) const {
        auto it = m_index.find(key);
        return it == m_index.end() ? nullptr : m_entries[it->second].second;
    }
    bool lookup(const CString& key, T*& value) const {
        auto it = m_index.find(key);
        if (it == m_index.end()) return false;
        value = m_entries[it->second].second;
        return true;
    }
    bool contains(const CString& key) const { return m_index.count(key) != 0; }

    // Stores value under key and returns the value it replaces (not deleted;
    // null when the key is new).
    T* set_at(const CString& key, T* value) {
        auto it = m_index.find(key);
        if (it != m_index.end()) return std::exchange(m_entries[it->second].second, value);
        m_index.emplace(key, m_entries.size());
        m_entries.emplace_back(key, value);
        return nullptr;
    }
    // Takes the key out and returns its value without deleting it; null when
    // the key is absent.
    T* remove_key(const CString& key) {
        auto it = m_index.find(key);
        if (it == m_index.end()) return nullptr;
        size_t pos = it->second;
        T* value = m_entries[pos].second;
        m_index.erase(it);
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(pos));
        for (size_t i = pos; i < m_entries.size(); ++i) m_index[m_entries[i].first] = i;
        return value;
    }
    void remove_all() {
        m_entries.clear();
        m_index.clear();
    }
    void delete_all() {
        std::vector<ENTRY> entries;
        entries.swap(m_entries);
        m_index.clear();
        for (auto& entry : entries) delete entry.second;
    }

    typename std::vector<ENTRY>::const_iterator begin() const { return m_entries.begin(); }
    typename std::vector<ENTRY>::const_iterator end() const { return m_entries.end(); }

private:
    std::vector<ENTRY> m_entries;
    std::unordered_map<CString, size_t> m_index;
    bool m_owns;
};
