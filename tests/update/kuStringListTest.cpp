#include "update/utils/kuStringList.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TestRow.h"

namespace tessaro {
namespace {

std::vector<std::string> Items(const TkuStringList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list.Strings(i));
    return items;
}

using Texts = std::vector<std::string>;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Counts its own destruction, so that tests see which objects a list freed.
class Tracked final : public TObject {
public:
    explicit Tracked(int& destroyed) : destroyed_(destroyed) {}
    ~Tracked() override { ++destroyed_; }

private:
    int& destroyed_;
};

TEST(TkuStringList, MaxSizeMakesAFifo) {
    TkuStringList list;
    list.SetMaxSize(3);
    for (const char* item : {"a", "b", "c", "d"}) list.Add(item);
    EXPECT_EQ(Items(list), (Texts{"b", "c", "d"}));
    EXPECT_EQ(list.GetFIFO(), "b");
    EXPECT_EQ(Items(list), (Texts{"c", "d"}));
    EXPECT_EQ(list.GetFIFO(), "c");
    EXPECT_EQ(list.GetFIFO(), "d");
    EXPECT_EQ(list.GetFIFO(), "");
}

TEST(TkuStringList, DefaultsAreTheDocumentedOnes) {
    const TkuStringList list;
    EXPECT_EQ(list.NVSeparator, "=");
    EXPECT_EQ(list.NVSeparatorSide, TkuStringListNVSeparatorSide::nvsLeft);
    EXPECT_EQ(list.MaxSize(), 2147483647);
    EXPECT_EQ(list.Duplicates(), TDuplicates::dupIgnore);
    EXPECT_FALSE(list.Sorted());
}

TEST(TkuStringList, ShrinkingMaxSizeDropsTheFirstItems) {
    TkuStringList list;
    for (const char* item : {"1", "2", "3", "4", "5"}) list.Add(item);
    list.SetMaxSize(2);
    EXPECT_EQ(Items(list), (Texts{"4", "5"}));
    list.SetMaxSize(0);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Add("x"), -1);
    EXPECT_EQ(list.Count(), 0);
    list.SetMaxSize(-5);
    EXPECT_EQ(list.MaxSize(), 0);
    EXPECT_EQ(list.Add("x"), -1);
}

TEST(TkuStringList, DuplicatesAreIgnoredAcceptedOrRefused) {
    TkuStringList list;
    EXPECT_EQ(list.Add("http://h/a.zip"), 0);
    EXPECT_EQ(list.Add("http://h/b.zip"), 1);
    EXPECT_EQ(list.Add("HTTP://H/A.ZIP"), 0);
    EXPECT_EQ(list.Count(), 2);

    list.SetCaseSensitive(true);
    EXPECT_EQ(list.Add("HTTP://H/A.ZIP"), 2);

    list.SetDuplicates(TDuplicates::dupAccept);
    EXPECT_EQ(list.Add("http://h/a.zip"), 3);
    EXPECT_EQ(list.Count(), 4);

    list.SetDuplicates(TDuplicates::dupError);
    EXPECT_THROW(list.Add("http://h/b.zip"), EStringListError);
    EXPECT_EQ(list.Count(), 4);
}

TEST(TkuStringList, SortedListsInsertInOrder) {
    TkuStringList list;
    for (const char* item : {"pear", "apple", "fig"}) list.Add(item);
    list.SetSorted(true);
    EXPECT_EQ(Items(list), (Texts{"apple", "fig", "pear"}));
    EXPECT_EQ(list.Add("banana"), 1);
    EXPECT_EQ(list.Add("zucchini"), 4);
    EXPECT_EQ(list.Add("Fig"), 2);  // found without case: ignored
    EXPECT_EQ(Items(list), (Texts{"apple", "banana", "fig", "pear", "zucchini"}));
    EXPECT_EQ(list.IndexOf("PEAR"), 3);
    EXPECT_EQ(list.IndexOf("kiwi"), -1);
}

TEST(TkuStringList, AFullSortedListDropsTheFirstAndShiftsTheInsertPosition) {
    TkuStringList list;
    list.SetSorted(true);
    list.SetMaxSize(3);
    for (const char* item : {"b", "d", "f"}) list.Add(item);
    EXPECT_EQ(list.Add("e"), 1);
    EXPECT_EQ(Items(list), (Texts{"d", "e", "f"}));
    EXPECT_EQ(list.Add("a"), 0);
    EXPECT_EQ(Items(list), (Texts{"a", "e", "f"}));
}

struct NameValueCase {
    TkuStringListNVSeparatorSide side;
    std::string separator;
    std::string item;
    std::size_t position;
    std::string name;
    std::string value;
};

void PrintTo(const NameValueCase& c, std::ostream* out) {
    testing::PrintRow(c.separator + "|" + c.item + "|" + std::to_string(static_cast<int>(c.side)),
                      out);
}

class NameValueTest : public ::testing::TestWithParam<NameValueCase> {};

TEST_P(NameValueTest, SplitsAtTheChosenSeparator) {
    const NameValueCase& c = GetParam();
    TkuStringList list;
    list.NVSeparator = c.separator;
    list.NVSeparatorSide = c.side;
    list.Add(c.item);
    EXPECT_EQ(list.GetNVSeparatorPos(0), c.position);
    EXPECT_EQ(list.GetName(0), c.name);
    EXPECT_EQ(list.GetValue(0), c.value);
}

using Side = TkuStringListNVSeparatorSide;
INSTANTIATE_TEST_SUITE_P(
    Table, NameValueTest,
    ::testing::Values(NameValueCase{Side::nvsLeft, "=", "a=b=c", 2, "a", "b=c"},
                      NameValueCase{Side::nvsRight, "=", "a=b=c", 4, "a=b", "c"},
                      NameValueCase{Side::nvsLeft, "=", "plain", 0, "plain", ""},
                      NameValueCase{Side::nvsLeft, "=", "=v", 1, "", "v"},
                      NameValueCase{Side::nvsLeft, "=", "n=", 2, "n", ""},
                      NameValueCase{Side::nvsLeft, "->", "x->y->z", 2, "x", "y->z"},
                      NameValueCase{Side::nvsRight, "->", "x->y->z", 5, "x->y", "z"},
                      NameValueCase{Side::nvsLeft, "", "a=b", 0, "a=b", ""}));

TEST(TkuStringList, SetNameAndSetValueRebuildTheItem) {
    TkuStringList list;
    list.Add("http://h/a.zip=%temp%/a.zip");
    list.Add("plain");
    list.SetValue(0, "/opt/a.zip");
    EXPECT_EQ(list.Strings(0), "http://h/a.zip=/opt/a.zip");
    list.SetName(0, "http://h/b.zip");
    EXPECT_EQ(list.Strings(0), "http://h/b.zip=/opt/a.zip");
    list.SetValue(1, "value");
    list.SetName(1, "name");
    EXPECT_EQ(list.Strings(1), "plain");

    list.NVSeparatorSide = Side::nvsRight;
    list.Add("a=b=c");
    list.SetValue(2, "Z");
    EXPECT_EQ(list.Strings(2), "a=b=Z");
}

TEST(TkuStringList, SearchesByNameAndValue) {
    TkuStringList list;
    for (const char* item : {"Alpha=One", "beta=Two", "gamma", "Delta=three"}) list.Add(item);
    EXPECT_EQ(list.IndexOfName("alpha", true), 0);
    EXPECT_EQ(list.IndexOfName("alpha", false), -1);
    EXPECT_EQ(list.IndexOfName("gamma", false), 2);
    EXPECT_EQ(list.IndexOfValue("two", true), 1);
    EXPECT_EQ(list.IndexOfValue("two", false), -1);
    EXPECT_EQ(list.IndexOfValue("", false), 2);
    EXPECT_EQ(list.IndexOfNamePart("ELT", false), 3);
    EXPECT_EQ(list.IndexOfNamePart("ELT", true), -1);
    EXPECT_EQ(list.IndexOfValuePart("hre", true), 3);
    EXPECT_EQ(list.IndexOfValuePart("HRE", false), 3);
    EXPECT_EQ(list.IndexOfValuePart("none", false), -1);
}

TEST(TkuStringList, DeleteFirstItemRaisesNoNotifications) {
    TkuStringList list;
    int changes = 0;
    int changings = 0;
    list.OnChange = [&](TkuStringList&) { ++changes; };
    list.OnChanging = [&](TkuStringList&) { ++changings; };
    list.Add("a");
    list.Add("b");
    list.Add("c");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(changings, 3);
    list.DeleteFirstItem();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(list.GetFIFO(), "b");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(list.GetAndDeleteItem(0), "c");
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(changings, 4);
    list.DeleteFirstItem();  // empty: nothing happens
    list.Add("d");
    EXPECT_EQ(changes, 5);
}

TEST(TkuStringList, NotificationsComeBackAfterAThrowingHandler) {
    TkuStringList list;
    list.Add("a");
    list.Add("b");
    int changes = 0;
    list.OnChange = [&](TkuStringList&) {
        ++changes;
        throw std::runtime_error("handler failed");
    };
    list.DeleteFirstItem();
    EXPECT_EQ(changes, 0);
    EXPECT_THROW(list.Delete(0), std::runtime_error);
    EXPECT_EQ(changes, 1);
}

TEST(TkuStringList, ObjectsAreFreedOnlyWhenAsked) {
    int destroyed = 0;
    Tracked kept(destroyed);
    auto list = std::make_unique<TkuStringList>();
    list->AddObject("a", new Tracked(destroyed));
    list->AddObject("b", new Tracked(destroyed));
    list->AddObject("c", &kept);
    list->AddObject("d", new Tracked(destroyed));
    list->AddObject("e", nullptr);
    list->DeleteAndFreeObject(0);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(list->Strings(0), "b");
    TObject* b = list->Objects(0);
    list->Delete(0);  // no freeing
    EXPECT_EQ(destroyed, 1);
    delete b;
    EXPECT_EQ(destroyed, 2);
    list->SetObject(0, nullptr);  // "c" keeps no reference to the stack object
    TkuStringList::FreeAndFreeObjects(list);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(destroyed, 3);
}

TEST(TkuStringList, ClearAndFreeObjectsEmptiesTheList) {
    int destroyed = 0;
    TkuStringList list;
    list.AddObject("a", new Tracked(destroyed));
    list.AddObject("b", new Tracked(destroyed));
    list.ClearAndFreeObjects();
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(list.Count(), 0);
}

TEST(TkuStringList, BadIndexesRaiseTheListError) {
    TkuStringList list;
    list.Add("a");
    EXPECT_THROW(list.Strings(1), EStringListError);
    EXPECT_THROW(list.GetName(-1), EStringListError);
    EXPECT_THROW(list.SetValue(5, "x"), EStringListError);
    EXPECT_THROW(list.GetAndDeleteItem(1), EStringListError);
    EXPECT_THROW(list.DeleteAndFreeObject(3), EStringListError);
    EXPECT_EQ(Items(list), (Texts{"a"}));
}

class ListFileTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
    QTemporaryDir dir_;
};

TEST_F(ListFileTest, WritesNonEmptyNamesAndValuesWithCrLf) {
    TkuStringList list;
    for (const char* item : {"http://h/a.zip=/opt/app/a.zip", "http://h/b.zip", "=/orphan",
                             "http://h/c.zip=/opt/app/c.zip"})
        list.Add(item);
    ASSERT_TRUE(list.WriteValuesToFile(Path("queue.txt")));
    EXPECT_EQ(ReadFile(Path("queue.txt")), "/opt/app/a.zip\r\n/orphan\r\n/opt/app/c.zip\r\n");
    ASSERT_TRUE(list.WriteNamesToFile(Path("names.txt")));
    EXPECT_EQ(ReadFile(Path("names.txt")),
              "http://h/a.zip\r\nhttp://h/b.zip\r\nhttp://h/c.zip\r\n");
}

TEST_F(ListFileTest, NoValuesMeansNoFileAndAnOldFileStaysUntouched) {
    TkuStringList list;
    list.Add("http://h/a.zip");
    list.Add("http://h/b.zip=");
    EXPECT_FALSE(list.WriteValuesToFile(Path("queue.txt")));
    EXPECT_FALSE(std::filesystem::exists(Path("queue.txt")));

    std::ofstream(Path("old.txt")) << "previous";
    EXPECT_FALSE(list.WriteValuesToFile(Path("old.txt")));
    EXPECT_EQ(ReadFile(Path("old.txt")), "previous");

    const TkuStringList empty;
    EXPECT_FALSE(empty.WriteNamesToFile(Path("names.txt")));
    EXPECT_FALSE(std::filesystem::exists(Path("names.txt")));
}

TEST_F(ListFileTest, AnExistingFileIsReplacedWhole) {
    std::ofstream(Path("queue.txt")) << "a much longer previous content than the new one\r\n";
    TkuStringList list;
    list.Add("u=/v");
    ASSERT_TRUE(list.WriteValuesToFile(Path("queue.txt")));
    EXPECT_EQ(ReadFile(Path("queue.txt")), "/v\r\n");
}

TEST_F(ListFileTest, AnUnwritableTargetReportsFalse) {
    TkuStringList list;
    list.Add("u=/v");
    EXPECT_FALSE(list.WriteValuesToFile(Path("missing-folder/queue.txt")));
}

}  // namespace
}  // namespace tessaro
