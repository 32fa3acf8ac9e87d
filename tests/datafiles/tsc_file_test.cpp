#include <gtest/gtest.h>
#include <malloc.h>

#include <cfloat>
#include <chrono>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "datafiles/tsc_file.h"
#include "datafiles_test_util.h"
#include "platform/files.h"
#include "support/test_support.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MIRETHORN_TEST_ASAN 1
#endif
#endif
#ifndef MIRETHORN_TEST_ASAN
#define MIRETHORN_TEST_ASAN 0
#endif
#if defined(__SANITIZE_ADDRESS__) || MIRETHORN_TEST_ASAN
#include <sanitizer/allocator_interface.h>
#endif

using datafiles_test::TextErrorOf;
using datafiles_test::U16;
using datafiles_test::U8;

namespace {

TSCFilePtr FromText(const std::string& source) {
  TSCFilePtr file = CreateTSCFile();
  file->LoadFromText(U16(source));
  return file;
}

std::string Saved(const TSCFilePtr& file) { return U8(file->SaveToText()); }

std::string HomePath(const std::string& name) { return test_support::TempHome() + "/" + name; }

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(LoadBytes(path, bytes)) << path;
  return bytes;
}

}  // namespace

TEST(TscFile, ResolvesKeysIgnoringAsciiCaseFirstMatchWins) {
  TSCFilePtr file = FromText("Settings{ screenMode=1 speed=2 speed=3 }\n");
  SetTSCNumberKey(file, u"\u00c9", u"k", 4, 0);
  EXPECT_EQ(file->ResolveKey(u"settings", u"SCREENMODE"), file->keys->First());
  EXPECT_FLOAT_EQ(GetTSCNumberKey(file, u"SETTINGS", u"Speed", 0), 2.0f);
  SetTSCNumberKey(file, u"settings", u"speed", 7, 0);
  EXPECT_EQ(U8(file->keys->ValueAtIndex(1)->values[0]), "7.00000000");
  EXPECT_EQ(U8(file->keys->ValueAtIndex(2)->values[0]), "3");
  // Only A-Z fold: an accented capital is not its small letter.
  EXPECT_EQ(file->ResolveKey(u"\u00e9", u"k"), nullptr);
  EXPECT_NE(file->ResolveKey(u"\u00c9", u"K"), nullptr);
}

TEST(TscFile, GetsValuesByIndexAndReportsMissingKeys) {
  TSCFilePtr file = FromText("S{ k=1,'two' t='12abc',' 7','abc' }\n");
  testing::internal::CaptureStdout();
  EXPECT_EQ(U8(GetTSCStringKey(file, u"S", u"k", 1)), "two");
  EXPECT_EQ(U8(GetTSCStringKey(file, u"S", u"k", 2)), "");
  EXPECT_EQ(GetTSCNumberKey(file, u"S", u"k", 999), 0.0f);
  EXPECT_EQ(GetTSCNumberKey(file, u"S", u"k", 1000), 0.0f);
  EXPECT_EQ(GetTSCNumberKey(file, u"S", u"t", 0), 12.0f);
  EXPECT_EQ(GetTSCNumberKey(file, u"S", u"t", 1), 7.0f);
  EXPECT_EQ(GetTSCNumberKey(file, u"S", u"t", 2), 0.0f);
  SetTSCStringKey(file, u"S", u"wide", u"\u0131\u0132", 0);  // low bytes "1" and "2"
  EXPECT_EQ(GetTSCNumberKey(file, u"S", u"wide", 0), 12.0f);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

  testing::internal::CaptureStdout();
  EXPECT_EQ(U8(GetTSCStringKey(file, u"Settings", u"foo", 0)), "");
  EXPECT_EQ(GetTSCNumberKey(file, u"", u"k", 0), 0.0f);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "The key Settings::foo does not exist\nThe key ::k does not exist\n");
}

TEST(TscFile, SetsValuesWithTheirKindsAndCount) {
  TSCFilePtr file = CreateTSCFile();
  SetTSCNumberKey(file, u"G", u"k", 1.0f, 0);
  TSCKeyPtr key = file->ResolveKey(u"G", u"k");
  ASSERT_TRUE(key);
  EXPECT_EQ(U8(key->values[0]), "1.00000000");
  EXPECT_EQ(key->types[0], TSC_VALUE_NUMBER);
  SetTSCStringKey(file, u"g", u"K", u"one", 0);
  EXPECT_EQ(key->types[0], TSC_VALUE_STRING);
  EXPECT_EQ(key->count, 1);
  EXPECT_EQ(U8(key->path), "G");

  SetTSCStringKey(file, u"G", u"n", u"x", 2);
  TSCKeyPtr n = file->ResolveKey(u"G", u"n");
  EXPECT_EQ(n->count, 3);
  EXPECT_EQ(n->types[0], TSC_VALUE_DEFINE);
  SetTSCStringKey(file, u"G", u"n", u"y", 0);
  EXPECT_EQ(n->count, 3);
  // Indices without room are ignored.
  SetTSCStringKey(file, u"G", u"n", u"z", 1000);
  SetTSCStringKey(file, u"G", u"n", u"z", -1);
  EXPECT_EQ(n->count, 3);

  // Not written until its group exists; skipped slots are written as empty strings.
  EXPECT_EQ(Saved(file), "");
  CreateTSCGroup(file, u"", u"G");
  EXPECT_EQ(Saved(file), "G{\n\tk=\"one\"\n\tn=\"y\",\"\",\"x\"\n}\n");
}

// The heap in use by the program: the sanitizer's count in its build, the allocator's otherwise.
size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__) || MIRETHORN_TEST_ASAN
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

// A store of many short keys, as a full hiscore table is (1,500 entries of six keys): each key
// costs what it holds, and the slots never written read as empty.
TEST(TscFile, AKeyCostsWhatItHoldsAndUnwrittenSlotsReadEmpty) {
  const size_t before = HeapInUse();
  TSCFilePtr file = CreateTSCFile();
  for (int i = 0; i < 9000; ++i) {
    TSCKeyPtr key = CreateTSCKey(file, U16("Score" + std::to_string(i / 6)),
                                 U16("k" + std::to_string(i % 6)));
    key->values[0] = u"level_endless_01.tsc";
    key->types[0] = TSC_VALUE_STRING;
    key->count = 1;
  }
  EXPECT_LT(HeapInUse() - before, 20u << 20);

  TSCKeyPtr key = file->keys->ValueAtIndex(0);
  const TTSCKey& read = *key;
  EXPECT_EQ(U8(read.values[1]), "");
  EXPECT_EQ(read.types[TSC_MAX_VALUES - 1], TSC_VALUE_DEFINE);
  key->values[3] = u"x";
  EXPECT_EQ(U8(read.values[0]), "level_endless_01.tsc");
  EXPECT_EQ(U8(read.values[2]), "");
  EXPECT_EQ(U8(read.values[3]), "x");
  EXPECT_EQ(read.types[2], TSC_VALUE_DEFINE);
}

TEST(TscFile, WritesGroupsKeysAndSubgroupsInItsLayout) {
  TSCFilePtr file = CreateTSCFile();
  CreateTSCGroup(file, u"", u"Settings");
  SetTSCNumberKey(file, u"Settings", u"screenMode", 2, 0);
  CreateTSCGroup(file, u"Settings", u"Level");
  SetTSCNumberKey(file, u"Settings::Level", u"Number", 3, 0);
  SetTSCStringKey(file, u"Settings", u"lastProfile", u"morvell", 0);
  CreateTSCGroup(file, u"", u"Empty");
  CreateTSCGroup(file, u"Nowhere", u"Orphan");  // its parent has no record: never written
  SetTSCNumberKey(file, u"Nowhere::Orphan", u"x", 1, 0);
  SetTSCNumberKey(file, u"", u"outside", 1, 0);
  EXPECT_EQ(Saved(file),
            "Settings{\n"
            "\tscreenMode=2.00000000\n"
            "\tlastProfile=\"morvell\"\n"
            "\tLevel{\n"
            "\t\tNumber=3.00000000\n"
            "\t}\n"
            "}\n"
            "Empty{\n"
            "}\n");
  // A group created twice is written once, at its first record, with all keys of its path.
  CreateTSCGroup(file, u"", u"empty");
  SetTSCNumberKey(file, u"Empty", u"v", 0.5f, 0);
  EXPECT_EQ(Saved(file).substr(Saved(file).find("Empty{")), "Empty{\n\tv=0.500000000\n}\n");
}

// Two chains of 24 nested groups with the same names: written once per full path, the text is
// small and quick to write, where one copy per group record above would write over a gigabyte.
TEST(TscFile, RepeatedNestedGroupPathsAreWrittenOnceEach) {
  constexpr int kDepth = 24;
  auto chain = [](const std::string& key) {
    std::string text;
    for (int d = 0; d < kDepth; ++d) text += "g{";
    text += key;
    for (int d = 0; d < kDepth; ++d) text += "}";
    return text;
  };
  TSCFilePtr file = FromText(chain("x=1") + "\n" + chain("y='two'") + "\n");
  const auto start = std::chrono::steady_clock::now();
  const String saved = file->SaveToText();
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, std::chrono::milliseconds(250));
  EXPECT_LT(saved.size(), 2000u);
  TSCFilePtr back = CreateTSCFile();
  ASSERT_EQ(TextErrorOf([&] { back->LoadFromText(saved); }), "") << U8(saved);
  String deepest = u"g";
  for (int d = 1; d < kDepth; ++d) deepest += u"::g";
  EXPECT_EQ(GetTSCNumberKey(back, deepest, u"x", 0), 1.0f);
  EXPECT_EQ(GetTSCStringKey(back, deepest, u"y", 0), u"two");
  EXPECT_EQ(back->groups->Count(), kDepth);
}

// Texts whose group paths repeat at several depths (letter case folded, as lookups do): every
// key reads back with the values its lookup gave before, and saving again changes nothing.
TEST(TscFile, RepeatedGroupPathsReadBackAnsweringEveryLookupAsBefore) {
  const char* texts[] = {
      "A{k=1} A{k=2 j=3}",
      "A{B{k=1}} A{B{k=2} C{m=1}}",
      "A{b{k=1 D{}}} a{B{k=2 d{e=5}}}",
      "A{B{k=1} B{k=2} B{C{x='c'}}}",
      "S{L{x=1 D{y=1}}} T{} S{L{D{y=2 z=3}}} S{Q{w=4} L{x=9}}",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    TSCFilePtr file = FromText(text);
    const String saved = file->SaveToText();
    TSCFilePtr back = CreateTSCFile();
    ASSERT_EQ(TextErrorOf([&] { back->LoadFromText(saved); }), "") << U8(saved);
    EXPECT_EQ(back->keys->Count(), file->keys->Count()) << U8(saved);
    for (const TSCKeyPtr& key : *file->keys) {
      TSCKeyPtr before = file->ResolveKey(key->path, key->name);
      TSCKeyPtr after = back->ResolveKey(key->path, key->name);
      ASSERT_TRUE(after) << U8(key->path) << "::" << U8(key->name);
      EXPECT_EQ(after->count, before->count);
      EXPECT_EQ(after->values[0], before->values[0]) << U8(key->path) << "::" << U8(key->name);
    }
    EXPECT_EQ(back->SaveToText(), saved);
  }
}

TEST(TscFile, ListsKeysAndDirectChildGroups) {
  TSCFilePtr file = FromText("A{ x=1 B{ y=2 C{} } D{} }\nE{}\n");
  auto names = [&file](const String& parent) {
    std::vector<std::string> out;
    TListPtr<TSCGroupPtr> list = GetTSCGroupList(file, parent);
    for (const TSCGroupPtr& g : *list) out.push_back(U8(g->name));
    return out;
  };
  EXPECT_EQ(names(u"a"), (std::vector<std::string>{"B", "D"}));
  EXPECT_EQ(names(u""), (std::vector<std::string>{"A", "E"}));
  EXPECT_EQ(GetTSCKeyList(file, u"A::b")->First()->name, u"y");
  // The lists are the caller's; the records are the store's own.
  TListPtr<TSCKeyPtr> keys = GetTSCKeyList(file, u"A");
  keys->Clear();
  EXPECT_EQ(file->keys->Count(), 2);
}

TEST(TscFile, WritesNumbersAsTheirNineDigitTextOrPlainDigits) {
  struct Case {
    float value;
    std::string text;
  };
  const std::vector<Case> cases = {
      {1.0f, "1.00000000"},       {0.5f, "0.500000000"}, {0.7f, "0.699999988"},
      {10000.0f, "10000.0000"},   {-1.0f, "-1.00000000"}, {0.0f, "0.00000000"},
      {123456792.0f, "123456792."},
      {1e9f, "1000000000.0"},     {-3e10f, "-30000001024.0"},
      {0.0001f, "0.0001"},       {1e-5f, "0.00001"},    {-2.5e-7f, "-0.00000025"},
  };
  for (const Case& c : cases) EXPECT_EQ(U8(TSCNumberText(c.value)), c.text) << c.value;
}

TEST(TscFile, EveryFiniteNumberTextReadsBackAsTheSameFloat) {
  std::vector<float> values = {FLT_MAX, -FLT_MAX, FLT_MIN, -FLT_MIN, FLT_TRUE_MIN, 1e-38f,
                               9.99999e-5f, 1e-4f, 999999999.0f, 1e9f, 3.4e38f, -0.0f};
  std::mt19937 rng(12345);
  for (int i = 0; i < 20000; ++i) {
    uint32_t bits = rng();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    if (std::isfinite(f)) values.push_back(f);
  }
  for (float v : values) {
    const String text = TSCNumberText(v);
    ASSERT_EQ(IsStringNumber(text), 1) << U8(text);
    ASSERT_EQ(TSCNumberValue(text), v) << U8(text);
  }
  // Infinities are written as digits beyond the float range; NaN, which no digits give, as 0.
  EXPECT_EQ(TSCNumberValue(TSCNumberText(INFINITY)), INFINITY);
  EXPECT_EQ(TSCNumberValue(TSCNumberText(-INFINITY)), -INFINITY);
  EXPECT_EQ(U8(TSCNumberText(NAN)), "0.00000000");
}

TEST(TscFile, WritesStringsAndDefineValuesSoTheyReadBack) {
  TSCFilePtr file = FromText(
      "#define N -4.5\n#define S 'a b'\n#define I word\n"
      "G{ n=N s=S i=I q='say \"hi\" \\\\ \\'x\\'' c='\t\r\\0' }\n");
  const std::string saved = Saved(file);
  EXPECT_EQ(saved,
            "G{\n\tn=-4.5\n\ts=\"a b\"\n\ti=\"word\"\n"
            "\tq=\"say \\\"hi\\\" \\\\ 'x'\"\n\tc=\"\t\r" + std::string(1, '\0') + "\"\n}\n");
  TSCFilePtr again = FromText(saved);
  for (const char16_t* name : {u"n", u"s", u"i", u"q", u"c"})
    EXPECT_EQ(GetTSCStringKey(again, u"G", name, 0), GetTSCStringKey(file, u"G", name, 0));
  EXPECT_EQ(again->ResolveKey(u"G", u"n")->types[0], TSC_VALUE_NUMBER);
  EXPECT_EQ(Saved(again), saved);
}

TEST(TscFile, SavesToAFileThatLoadsBackEvenInUtf16) {
  TSCFilePtr file = CreateTSCFile();
  CreateTSCGroup(file, u"", u"Profile");
  SetTSCStringKey(file, u"Profile", u"name", u"Mor\u0151 \u00e9 \"\\", 0);
  SetTSCNumberKey(file, u"Profile", u"score", 1e-6f, 0);
  const std::string path = HomePath("profile.tsc");
  SaveTSCFile(file, path);
  const std::vector<uint8_t> bytes = FileBytes(path);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  TSCFilePtr loaded = CreateTSCFile();
  LoadTSCFile(loaded, path);
  EXPECT_EQ(GetTSCStringKey(loaded, u"Profile", u"name", 0), u"Mor\u0151 \u00e9 \"\\");
  EXPECT_EQ(GetTSCNumberKey(loaded, u"Profile", u"score", 0), 1e-6f);
}

TEST(TscFile, EmptyStoreSavesNoBytesAndLoadsBack) {
  const std::string path = HomePath("empty.tsc");
  TSCFilePtr file = FromText("/* only a comment */ // and another");
  EXPECT_TRUE(file->keys->IsEmpty());
  SetTSCNumberKey(file, u"", u"outside", 1, 0);  // keys outside every group are not written
  SaveTSCFile(file, path);
  EXPECT_TRUE(FileBytes(path).empty());
  TSCFilePtr loaded = CreateTSCFile();
  LoadTSCFile(loaded, path);
  EXPECT_TRUE(loaded->keys->IsEmpty());
  EXPECT_TRUE(loaded->groups->IsEmpty());
}

TEST(TscFile, FailedLoadLeavesTheStoreEmptyAndUsable) {
  TSCFilePtr file = FromText("#define V 3\nA{ k=1 }\n");
  const std::string missing = HomePath("nothing.tsc");
  EXPECT_EQ(TextErrorOf([&] { LoadTSCFile(file, missing); }), "ERROR: Cannot read the file " + missing);
  EXPECT_TRUE(file->keys->IsEmpty());
  EXPECT_TRUE(file->groups->IsEmpty());
  EXPECT_EQ(TextErrorOf([&] { LoadTSCFile(file, test_support::TempHome()); }),
            "ERROR: Cannot read the file " + test_support::TempHome());
  EXPECT_EQ(TextErrorOf([&] { file->LoadFromText(u"A{ k=1 "); }),
            "ERROR: Unexpected end of file at line 1, character 7");
  EXPECT_TRUE(file->keys->IsEmpty());
  // Defines of earlier loads stay known.
  file->LoadFromText(u"B{ k=v }");
  EXPECT_EQ(U8(GetTSCStringKey(file, u"B", u"k", 0)), "3");
  EXPECT_EQ(file->groups->Count(), 1);
}

TEST(TscFile, DefaultOptionsFileMatchesItsGoldenBytes) {
  TSCFilePtr file = CreateTSCFile();
  CreateTSCGroup(file, u"", u"Settings");
  SetTSCNumberKey(file, u"Settings", u"screenMode", 0, 0);
  SetTSCNumberKey(file, u"Settings", u"musicVol", 0.5f, 0);
  SetTSCNumberKey(file, u"Settings", u"soundVol", 0.7f, 0);
  SetTSCNumberKey(file, u"Settings", u"startingLevel", -1, 0);
  SetTSCStringKey(file, u"Settings", u"lastProfile", u"morvell", 0);
  const std::string path = HomePath("options.tsc");
  SaveTSCFile(file, path);
  EXPECT_EQ(FileBytes(path),
            FileBytes(test_support::SourceDir() + "/tests/datafiles/options_default.tsc"));
  TSCFilePtr loaded = CreateTSCFile();
  LoadTSCFile(loaded, path);
  EXPECT_EQ(GetTSCNumberKey(loaded, u"Settings", u"soundVol", 0), 0.7f);
  EXPECT_EQ(static_cast<int>(GetTSCNumberKey(loaded, u"Settings", u"startingLevel", 0)), -1);
}

// Random stores of every kind of value: what is saved always loads back to the same values,
// and, with no repeated group paths, saving the reloaded store gives the same text.
TEST(TscFile, SavedStoresLoadBackToTheSameContent) {
  std::mt19937 rng(2024);
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); };
  const std::vector<String> pieces = {u"a", u"\\", u"\"", u"'", u"\n", u"\t", u" ", u"\u00e9",
                                      u"\u20ac", String(1, u'\0'), u"1.5", u"//", u"/*", u"}"};
  for (int round = 0; round < 200; ++round) {
    TSCFilePtr file = CreateTSCFile();
    std::vector<String> paths;
    const int groups = 1 + pick(5);
    for (int g = 0; g < groups; ++g) {
      const String parent = paths.empty() || pick(2) ? String() : paths[static_cast<size_t>(pick(static_cast<int>(paths.size())))];
      const String name = u"G" + FromInt(g);
      CreateTSCGroup(file, parent, name);
      paths.push_back(parent.empty() ? name : parent + u"::" + name);
    }
    const int keys = pick(8);
    for (int k = 0; k < keys; ++k) {
      const String& path = paths[static_cast<size_t>(pick(groups))];
      const String name = u"k" + FromInt(k);
      const int values = 1 + pick(4);
      for (int v = 0; v < values; ++v) {
        const int slot = pick(5) == 0 ? v + 1 : v;  // sometimes leaves a slot empty
        if (pick(2)) {
          uint32_t bits = rng();
          float f;
          std::memcpy(&f, &bits, sizeof f);
          if (!std::isfinite(f)) f = 1.0f / static_cast<float>(1 + pick(1000));
          SetTSCNumberKey(file, path, name, f, slot);
        } else {
          String s;
          for (int i = pick(5); i > 0; --i) s += pieces[static_cast<size_t>(pick(static_cast<int>(pieces.size())))];
          SetTSCStringKey(file, path, name, s, slot);
        }
      }
    }
    const String saved = file->SaveToText();
    TSCFilePtr loaded = CreateTSCFile();
    ASSERT_EQ(TextErrorOf([&] { loaded->LoadFromText(DecodeText(EncodeText(saved))); }), "")
        << U8(saved);
    ASSERT_EQ(loaded->keys->Count(), file->keys->Count());
    for (const TSCKeyPtr& key : *file->keys) {
      TSCKeyPtr back = loaded->ResolveKey(key->path, key->name);
      ASSERT_TRUE(back) << U8(key->name);
      ASSERT_EQ(back->count, key->count);
      for (int i = 0; i < key->count; ++i) {
        const size_t slot = static_cast<size_t>(i);
        if (key->types[slot] == TSC_VALUE_NUMBER)
          ASSERT_EQ(TSCNumberValue(back->values[slot]), TSCNumberValue(key->values[slot]));
        else
          ASSERT_EQ(back->values[slot], key->values[slot]);
      }
    }
    ASSERT_EQ(loaded->SaveToText(), saved);
  }
}
