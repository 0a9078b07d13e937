#include "update/utils/kuStringList.h"

#include <algorithm>
#include <unordered_set>

#include "platform/AtomicFile.h"
#include "update/utils/kuText.h"

namespace tessaro {
namespace {

constexpr mode_t kListFileMode = 0644;

// Switches the notifications off for one step and back on, also on an exception.
class SilencedNotifications final {
public:
    explicit SilencedNotifications(bool& notifications)
        : notifications_(notifications), previous_(notifications) {
        notifications_ = false;
    }
    ~SilencedNotifications() { notifications_ = previous_; }
    SilencedNotifications(const SilencedNotifications&) = delete;
    SilencedNotifications& operator=(const SilencedNotifications&) = delete;

private:
    bool& notifications_;
    bool previous_;
};

}  // namespace

const std::string& TkuStringList::Strings(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)].text;
}

TObject* TkuStringList::Objects(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)].object;
}

void TkuStringList::SetObject(int index, TObject* object) {
    CheckIndex(index);
    Changing();
    items_[static_cast<std::size_t>(index)].object = object;
    Changed();
}

void TkuStringList::SetMaxSize(std::int32_t n) {
    n = std::max<std::int32_t>(n, 0);
    if (n == maxSize_) return;
    while (Count() > n) DeleteFirstItem();
    maxSize_ = n;
}

void TkuStringList::SetSorted(bool sorted) {
    if (sorted && !sorted_) Sort();
    sorted_ = sorted;
}

void TkuStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == caseSensitive_) return;
    caseSensitive_ = caseSensitive;
    if (sorted_) Sort();
}

int TkuStringList::Add(const std::string& s) {
    return AddObject(s, nullptr);
}

int TkuStringList::AddObject(const std::string& s, TObject* object) {
    if (maxSize_ == 0) return -1;
    int index = 0;
    if (Find(s, index)) {
        if (duplicates_ == TDuplicates::dupIgnore) return index;
        if (duplicates_ == TDuplicates::dupError)
            throw EStringListError("String list does not allow duplicates");
    }
    return Insert(index, s, object);
}

int TkuStringList::Insert(int index, const std::string& s, TObject* object) {
    if (Count() >= maxSize_) {
        DeleteFirstItem();
        if (index > 0) --index;
    }
    if (!sorted_) index = Count();
    Changing();
    items_.insert(items_.begin() + index, Item{s, object});
    Changed();
    return index;
}

void TkuStringList::AddStrings(const std::vector<std::string>& strings) {
    // Only an unsorted list that drops duplicates can keep them in a set of its own.
    if (sorted_ || duplicates_ != TDuplicates::dupIgnore || maxSize_ <= Count()) {
        for (const std::string& s : strings) Add(s);
        return;
    }
    const auto key = [this](const std::string& s) { return caseSensitive_ ? s : CaseFolded(s); };
    std::unordered_set<std::string> seen;
    for (const Item& item : items_) seen.insert(key(item.text));
    for (const std::string& s : strings)
        if (seen.insert(key(s)).second) Insert(Count(), s, nullptr);
}

void TkuStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TkuStringList::Clear() {
    if (items_.empty()) return;
    Changing();
    items_.clear();
    Changed();
}

int TkuStringList::IndexOf(const std::string& s) const {
    int index = 0;
    return Find(s, index) ? index : -1;
}

void TkuStringList::DeleteFirstItem() {
    if (items_.empty()) return;
    const SilencedNotifications silenced(notifications_);
    Delete(0);
}

void TkuStringList::DeleteAndFreeObject(int index) {
    CheckIndex(index);
    delete items_[static_cast<std::size_t>(index)].object;
    items_[static_cast<std::size_t>(index)].object = nullptr;
    Delete(index);
}

void TkuStringList::ClearAndFreeObjects() {
    for (auto item = items_.rbegin(); item != items_.rend(); ++item) {
        delete item->object;
        item->object = nullptr;
    }
    Clear();
}

void TkuStringList::FreeAndFreeObjects(std::unique_ptr<TkuStringList>& list) {
    if (!list) return;
    list->ClearAndFreeObjects();
    list.reset();
}

std::string TkuStringList::GetAndDeleteItem(int index) {
    std::string item = Strings(index);
    Delete(index);
    return item;
}

std::string TkuStringList::GetFIFO() {
    if (items_.empty()) return {};
    std::string first = items_.front().text;
    DeleteFirstItem();
    return first;
}

std::size_t TkuStringList::GetNVSeparatorPos(int index) const {
    const std::string& item = Strings(index);
    return NVSeparatorSide == TkuStringListNVSeparatorSide::nvsLeft ? Pos(NVSeparator, item)
                                                                    : PosR(NVSeparator, item);
}

std::string TkuStringList::GetName(int index) const {
    const std::size_t p = GetNVSeparatorPos(index);
    const std::string& item = Strings(index);
    return p ? item.substr(0, p - 1) : item;
}

std::string TkuStringList::GetValue(int index) const {
    const std::size_t p = GetNVSeparatorPos(index);
    return p ? Strings(index).substr(p - 1 + NVSeparator.size()) : std::string();
}

void TkuStringList::SetName(int index, const std::string& name) {
    if (GetNVSeparatorPos(index) == 0) return;
    Rebuild(index, name, GetValue(index));
}

void TkuStringList::SetValue(int index, const std::string& value) {
    if (GetNVSeparatorPos(index) == 0) return;
    Rebuild(index, GetName(index), value);
}

int TkuStringList::IndexOfName(const std::string& name, bool ignoreCase) const {
    return IndexWhere(
        [&](int i) { return CaseAnsiCompareText(GetName(i), name, !ignoreCase) == 0; });
}

int TkuStringList::IndexOfValue(const std::string& value, bool ignoreCase) const {
    return IndexWhere(
        [&](int i) { return CaseAnsiCompareText(GetValue(i), value, !ignoreCase) == 0; });
}

int TkuStringList::IndexOfNamePart(const std::string& part, bool caseSensitive) const {
    return IndexWhere([&](int i) { return ContainsText(GetName(i), part, caseSensitive); });
}

int TkuStringList::IndexOfValuePart(const std::string& part, bool caseSensitive) const {
    return IndexWhere([&](int i) { return ContainsText(GetValue(i), part, caseSensitive); });
}

bool TkuStringList::WriteNamesToFile(const std::string& fileName) const {
    return WriteToFile(fileName, false);
}

bool TkuStringList::WriteValuesToFile(const std::string& fileName) const {
    return WriteToFile(fileName, true);
}

void TkuStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TkuStringList::Compare(const std::string& a, const std::string& b) const {
    return CaseAnsiCompareText(a, b, caseSensitive_);
}

bool TkuStringList::Find(const std::string& s, int& index) const {
    if (!sorted_) {
        const auto found = std::find_if(items_.begin(), items_.end(), [&](const Item& item) {
            return Compare(item.text, s) == 0;
        });
        index = static_cast<int>(found - items_.begin());
        return found != items_.end();
    }
    const auto first = std::lower_bound(items_.begin(), items_.end(), s,
                                        [this](const Item& item, const std::string& value) {
                                            return Compare(item.text, value) < 0;
                                        });
    index = static_cast<int>(first - items_.begin());
    return first != items_.end() && Compare(first->text, s) == 0;
}

void TkuStringList::Sort() {
    Changing();
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
    Changed();
}

void TkuStringList::Changing() {
    if (notifications_ && OnChanging) OnChanging(*this);
}

void TkuStringList::Changed() {
    if (notifications_ && OnChange) OnChange(*this);
}

void TkuStringList::Rebuild(int index, const std::string& name, const std::string& value) {
    Changing();
    items_[static_cast<std::size_t>(index)].text = name + NVSeparator + value;
    Changed();
}

template <typename Part>
int TkuStringList::IndexWhere(Part part) const {
    for (int i = 0; i < Count(); ++i)
        if (part(i)) return i;
    return -1;
}

bool TkuStringList::WriteToFile(const std::string& fileName, bool values) const {
    std::string content;
    for (int i = 0; i < Count(); ++i) {
        const std::string entry = values ? GetValue(i) : GetName(i);
        if (!entry.empty()) content += entry + "\r\n";
    }
    if (content.empty()) return false;
    return platform::WriteFileAtomically(fileName, content, kListFileMode, nullptr);
}

}  // namespace tessaro
