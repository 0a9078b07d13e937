#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessaro {

// Base of the objects a list item may refer to. The list does not own them:
// only DeleteAndFreeObject, ClearAndFreeObjects and FreeAndFreeObjects free them.
class TObject {
public:
    virtual ~TObject() = default;
};

// Raised for an index outside the list and for a duplicate under dupError.
class EStringListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };
enum class TkuStringListNVSeparatorSide { nvsLeft, nvsRight };

// A string list with name/value items ("name=value"), an item limit that makes
// it a FIFO (adding to a full list drops the first item), optional sorting and
// duplicate handling, and writing of names or values to a file.
class TkuStringList {
public:
    using TNotifyEvent = std::function<void(TkuStringList& sender)>;

    std::string NVSeparator = "=";
    TkuStringListNVSeparatorSide NVSeparatorSide = TkuStringListNVSeparatorSide::nvsLeft;
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Strings(int index) const;
    TObject* Objects(int index) const;
    void SetObject(int index, TObject* object);

    std::int32_t MaxSize() const { return maxSize_; }
    // Drops first items until at most N remain; a negative limit counts as 0.
    void SetMaxSize(std::int32_t n);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool caseSensitive);

    // Index of the new item (or of the equal item under dupIgnore); -1 when
    // MaxSize is 0. Throws EStringListError for a duplicate under dupError.
    int Add(const std::string& s);
    int AddObject(const std::string& s, TObject* object);
    // Adds each string as Add does, with one pass over the list instead of a search
    // of it for every string.
    void AddStrings(const std::vector<std::string>& strings);
    void Delete(int index);
    void Clear();
    int IndexOf(const std::string& s) const;

    // Removes item 0 without change notifications; nothing on an empty list.
    void DeleteFirstItem();
    void DeleteAndFreeObject(int index);
    void ClearAndFreeObjects();
    static void FreeAndFreeObjects(std::unique_ptr<TkuStringList>& list);
    std::string GetAndDeleteItem(int index);
    // Item 0, removed; empty on an empty list.
    std::string GetFIFO();

    // 1-based position of NVSeparator in the item (first or last occurrence by
    // NVSeparatorSide); 0 when absent.
    std::size_t GetNVSeparatorPos(int index) const;
    std::string GetName(int index) const;
    std::string GetValue(int index) const;
    // Both do nothing on an item without a separator.
    void SetName(int index, const std::string& name);
    void SetValue(int index, const std::string& value);

    int IndexOfName(const std::string& name, bool ignoreCase) const;
    int IndexOfValue(const std::string& value, bool ignoreCase) const;
    int IndexOfNamePart(const std::string& part, bool caseSensitive) const;
    int IndexOfValuePart(const std::string& part, bool caseSensitive) const;

    // Writes every non-empty name (value) followed by CR LF. The file is
    // replaced atomically and only when there is something to write; true
    // when it was written.
    bool WriteNamesToFile(const std::string& fileName) const;
    bool WriteValuesToFile(const std::string& fileName) const;

private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };

    void CheckIndex(int index) const;
    int Compare(const std::string& a, const std::string& b) const;
    // Sorted lists: binary search giving the insertion point; others: linear.
    bool Find(const std::string& s, int& index) const;
    void Sort();
    int Insert(int index, const std::string& s, TObject* object);
    void Changing();
    void Changed();
    void Rebuild(int index, const std::string& name, const std::string& value);
    template <typename Part>
    int IndexWhere(Part part) const;
    bool WriteToFile(const std::string& fileName, bool values) const;

    std::vector<Item> items_;
    std::int32_t maxSize_ = 2147483647;
    bool sorted_ = false;
    TDuplicates duplicates_ = TDuplicates::dupIgnore;
    bool caseSensitive_ = false;
    bool notifications_ = true;
};

}  // namespace tessaro
