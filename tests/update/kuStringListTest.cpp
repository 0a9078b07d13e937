#include "update/utils/kuStringList.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tessaro {
namespace {

using Texts = std::vector<std::string>;
using Side = TkuStringListNVSeparatorSide;

Texts Items(const TkuStringList& list) {
    Texts items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list.Strings(i));
    return items;
}

void AddAll(TkuStringList& list, const Texts& items) {
    for (const std::string& item : items) list.Add(item);
}

TEST(TkuStringList, MaxSizeMakesAFifo) {
    TkuStringList list;
    list.SetMaxSize(3);
    AddAll(list, {"a", "b", "c", "d"});
    EXPECT_EQ(Items(list), (Texts{"b", "c", "d"}));
    EXPECT_EQ(list.GetFIFO(), "b");
    list.SetMaxSize(1);
    EXPECT_EQ(Items(list), (Texts{"d"}));
    EXPECT_EQ(list.GetFIFO() + list.GetFIFO(), "d");
    list.SetMaxSize(-5);
    EXPECT_EQ(list.Add("x") + list.MaxSize() + list.Count(), -1);
}

TEST(TkuStringList, DuplicatesAndSortedInsertion) {
    TkuStringList list;
    AddAll(list, {"pear", "apple"});
    EXPECT_EQ(list.Add("PEAR"), 0);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.Add("PEAR"), 2);
    list.SetDuplicates(TDuplicates::dupError);
    EXPECT_THROW(list.Add("apple"), EStringListError);
    TkuStringList sorted;
    AddAll(sorted, {"pear", "apple", "fig"});
    sorted.SetSorted(true);
    EXPECT_EQ(sorted.Add("banana"), 1);
    EXPECT_EQ(sorted.Add("Fig"), 2);  // found without case: ignored
    EXPECT_EQ(sorted.IndexOf("PEAR"), 3);
    // A full sorted list drops its first item and shifts the insert position.
    sorted.SetMaxSize(3);
    EXPECT_EQ(sorted.Add("grape"), 1);
    EXPECT_EQ(Items(sorted), (Texts{"fig", "grape", "pear"}));
}

TEST(TkuStringList, AddStringsDropsWhatAddWouldDrop) {
    const Texts added = {"Pear", "fig", "FIG", "apple", "Straße", "STRASSE", "apple"};
    for (const bool caseSensitive : {false, true}) {
        for (const bool sorted : {false, true}) {
            SCOPED_TRACE(std::to_string(caseSensitive) + std::to_string(sorted));
            TkuStringList one, each;
            for (TkuStringList* list : {&one, &each}) {
                list->SetCaseSensitive(caseSensitive);
                list->SetSorted(sorted);
                list->Add("pear");
            }
            one.AddStrings(added);
            AddAll(each, added);
            EXPECT_EQ(Items(one), Items(each));
        }
    }
}

TEST(TkuStringList, NamesAndValuesSplitAtTheChosenSeparatorSide) {
    struct Row {
        Side side;
        const char *separator, *item, *nameAndValue;
    };
    for (const Row& row :
         {Row{Side::nvsLeft, "=", "a=b=c", "a|b=c"}, Row{Side::nvsRight, "=", "a=b=c", "a=b|c"},
          Row{Side::nvsLeft, "=", "plain", "plain|"}, Row{Side::nvsLeft, "=", "=v", "|v"},
          Row{Side::nvsRight, "->", "x->y->z", "x->y|z"}, Row{Side::nvsLeft, "", "a=b", "a=b|"}}) {
        TkuStringList list;
        list.NVSeparator = row.separator;
        list.NVSeparatorSide = row.side;
        list.Add(row.item);
        EXPECT_EQ(list.GetName(0) + "|" + list.GetValue(0), row.nameAndValue) << row.item;
    }
    TkuStringList list;
    AddAll(list, {"http://h/a.zip=%temp%/a.zip", "plain"});
    list.SetValue(0, "/opt/a.zip");
    list.SetName(0, "http://h/b.zip");
    list.SetValue(1, "value");
    list.SetName(1, "name");
    EXPECT_EQ(Items(list), (Texts{"http://h/b.zip=/opt/a.zip", "plain"}));
    EXPECT_EQ(list.IndexOfName("HTTP://H/B.ZIP", true), 0);  // names: the flag ignores case
    EXPECT_EQ(list.IndexOfName("HTTP://H/B.ZIP", false), -1);
    EXPECT_EQ(list.IndexOfValue("", false), 1);
    EXPECT_EQ(list.IndexOfNamePart("B.ZIP", false), 0);  // parts: the flag asks for case
    EXPECT_EQ(list.IndexOfValuePart("OPT", true), -1);
}

TEST(TkuStringList, DeleteFirstItemIsSilentAndAThrowingHandlerLeavesNotificationsOn) {
    TkuStringList list;
    int changes = 0;
    list.OnChange = [&](TkuStringList&) {
        if (++changes > 3) throw std::runtime_error("handler failed");
    };
    AddAll(list, {"a", "b", "c"});
    list.DeleteFirstItem();
    EXPECT_EQ(list.GetFIFO(), "b");
    EXPECT_EQ(changes, 3);
    EXPECT_THROW(list.Delete(0), std::runtime_error);
    EXPECT_EQ(changes, 4);
}

// Counts its own destruction, so that tests see which objects a list freed.
struct Tracked final : TObject {
    explicit Tracked(int& destroyed) : destroyed(destroyed) {}
    ~Tracked() override { ++destroyed; }
    int& destroyed;
};

TEST(TkuStringList, ObjectsAreFreedOnlyWhenAskedAndBadIndexesRaise) {
    int destroyed = 0;
    auto list = std::make_unique<TkuStringList>();
    for (const char* name : {"a", "b", "c"}) list->AddObject(name, new Tracked(destroyed));
    list->AddObject("d", nullptr);
    list->DeleteAndFreeObject(0);
    const std::unique_ptr<TObject> b(list->Objects(0));
    list->Delete(0);
    EXPECT_EQ(destroyed, 1);
    EXPECT_THROW(list->Strings(2), EStringListError);
    EXPECT_THROW(list->SetValue(-1, "x"), EStringListError);
    EXPECT_EQ(Items(*list), (Texts{"c", "d"}));
    TkuStringList::FreeAndFreeObjects(list);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(destroyed, 2);
    TkuStringList other;
    other.AddObject("a", new Tracked(destroyed));
    other.ClearAndFreeObjects();
    EXPECT_EQ(destroyed + other.Count(), 3);
}

TEST(TkuStringList, WritesNonEmptyNamesOrValuesWithCrLfOrNoFileAtAll) {
    const QTemporaryDir dir;
    const auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
    const auto read = [&](const char* name) {
        std::ostringstream content;
        content << std::ifstream(path(name), std::ios::binary).rdbuf();
        return content.str();
    };
    std::ofstream(path("queue.txt")) << "a much longer previous content than the new one\r\n";
    TkuStringList list;
    AddAll(list, {"http://h/a.zip=/opt/app/a.zip", "http://h/b.zip", "=/orphan"});
    ASSERT_TRUE(list.WriteValuesToFile(path("queue.txt")));
    EXPECT_EQ(read("queue.txt"), "/opt/app/a.zip\r\n/orphan\r\n");
    ASSERT_TRUE(list.WriteNamesToFile(path("names.txt")));
    EXPECT_EQ(read("names.txt"), "http://h/a.zip\r\nhttp://h/b.zip\r\n");
    EXPECT_FALSE(list.WriteValuesToFile(path("missing-folder/queue.txt")));

    TkuStringList noValues;
    AddAll(noValues, {"http://h/a.zip", "http://h/b.zip="});
    EXPECT_FALSE(noValues.WriteValuesToFile(path("new.txt")));
    EXPECT_FALSE(std::filesystem::exists(path("new.txt")));
    EXPECT_FALSE(noValues.WriteValuesToFile(path("queue.txt")));
    EXPECT_EQ(read("queue.txt"), "/opt/app/a.zip\r\n/orphan\r\n");
    EXPECT_FALSE(TkuStringList().WriteNamesToFile(path("empty.txt")));
    EXPECT_FALSE(std::filesystem::exists(path("empty.txt")));
}

}  // namespace
}  // namespace tessaro
