#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../files/FileTestSupport.h"
#include "JsonCheck.h"
#include "RunVkmcfg.h"
#include "model/SectionTree.h"

namespace vkm {
namespace {

using test::RunResult;

class VkmcfgFileTest : public test::TempDirTest {
 protected:
  RunResult Vkmcfg(const std::vector<std::string>& args) { return test::RunVkmcfg(args, dir_); }

  std::string NewFile(const std::string& name) {
    const std::string path = Path(name).string();
    EXPECT_EQ(Vkmcfg({"new", path}).status, 0);
    return path;
  }

  test::JsonValue Show(const std::string& file, const std::vector<std::string>& nodes) {
    std::vector<std::string> args = {"show", file};
    args.insert(args.end(), nodes.begin(), nodes.end());
    const RunResult run = Vkmcfg(args);
    EXPECT_EQ(run.status, 0) << run.err;
    auto value = test::JsonReader(run.out).Read();
    if (!value) {
      ADD_FAILURE() << "not valid JSON:\n" << run.out;
      return {};
    }
    return *value;
  }
};

TEST_F(VkmcfgFileTest, NewWritesTheFactoryFileThatChecksClean) {
  const std::string file = NewFile("f.cnt");
  EXPECT_EQ(ReadAll(file).size(), 3556u);
  const RunResult check = Vkmcfg({"check", file});
  EXPECT_EQ(check.status, 0);
  EXPECT_EQ(check.out, "0\n");

  const RunResult unwritable = Vkmcfg({"new", Path("missing-dir/x.cnt").string()});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_FALSE(unwritable.err.empty());
}

TEST_F(VkmcfgFileTest, CheckPrintsTheLoaderResult) {
  const std::string good = ReadAll(NewFile("good.cnt"));
  std::string corrupt = good;
  corrupt[100] ^= 1;
  WriteAll(Path("corrupt.cnt"), corrupt);
  WriteAll(Path("empty.cnt"), "");
  struct Case {
    std::string file;
    int code;
    const char* message;
  };
  const Case cases[] = {
      {Path("missing.cnt").string(), 1, "Невозможно открыть файл"},
      {Path("corrupt.cnt").string(), 2, "Неизвестный формат файла"},
      {Path("empty.cnt").string(), 3,
       "Несоответствие версий! Файл не может быть использован для конфигурирования этого устройства."},
  };
  for (const Case& c : cases) {
    const RunResult run = Vkmcfg({"check", c.file});
    EXPECT_EQ(run.status, c.code) << c.file;
    EXPECT_EQ(run.out, std::to_string(c.code) + "\n" + c.message + "\n");
  }
}

TEST_F(VkmcfgFileTest, ShowGivesValidJsonForEveryNodeOfTheFactoryFile) {
  const std::string file = NewFile("f.cnt");
  const test::JsonValue all = Show(file, {});
  EXPECT_EQ(all["file"].Text(), file);
  std::size_t count = 0;
  for (int node = 0; node < kNodeCount; ++node) {
    if (!NodeStoredInFile(node)) continue;
    ++count;
    const test::JsonValue& section = all["nodes"][std::to_string(node)];
    EXPECT_EQ(section["caption"].Text(), NodeCaption(node));
    EXPECT_GT(section["controls"].Size(), 0u) << node;
    // Each node alone gives the same object.
    const test::JsonValue single = Show(file, {std::to_string(node)});
    EXPECT_EQ(single["nodes"].Size(), 1u);
  }
  EXPECT_EQ(all["nodes"].Size(), count);
  EXPECT_EQ(count, 34u);
}

TEST_F(VkmcfgFileTest, ShowPrintsValuesAsTheControlsHoldThem) {
  const std::string file = NewFile("f.cnt");
  const test::JsonValue shown = Show(file, {"2", "5", "17", "23", "37"});
  const test::JsonValue& sim = shown["nodes"]["2"]["controls"];
  EXPECT_EQ(sim["Label34"].Text(), "SIM1");
  EXPECT_EQ(sim["EditBalansMinVal"].Text(), "0");
  const test::JsonValue& connection = shown["nodes"]["5"]["controls"];
  EXPECT_EQ(connection["Label74"].Text(), "Соединение 1");
  EXPECT_FALSE(connection["CheckBoxCallEn"].Bool());
  EXPECT_EQ(connection["CheckBoxMaskDInput1"].Text(), "unchecked");
  EXPECT_EQ(connection["ComboBoxLang"].Number(), 1);
  const test::JsonValue& scheduler = shown["nodes"]["17"]["controls"]["StringGrid3"];
  EXPECT_EQ(scheduler.Size(), 8u);
  EXPECT_EQ(scheduler[0][2].Text(), "00:00");
  EXPECT_FALSE(scheduler[0][1].Bool());
  EXPECT_EQ(scheduler[0][12].Number(), 0);
  const test::JsonValue& input = shown["nodes"]["23"]["controls"];
  EXPECT_EQ(input["ComboBoxSensName"].Text(), "ВХОД1");
  EXPECT_EQ(input["MaskEditMaxVal"].Text(), "3");
  const test::JsonValue& scenarios = shown["nodes"]["37"]["controls"]["StringGrid2"];
  EXPECT_EQ(scenarios[0][0].Text(), "Сценарий № 1");
  EXPECT_EQ(scenarios[0][1].Text(), "ЦИКЛ");
  EXPECT_EQ(scenarios[0][3].Text(), "ВЫС");
}

TEST_F(VkmcfgFileTest, ShowRefusesSectionsWithoutFileValues) {
  const std::string file = NewFile("f.cnt");
  for (const char* node : {"0", "1", "20", "30", "38", "39", "-1", "x"}) {
    const RunResult run = Vkmcfg({"show", file, node});
    EXPECT_EQ(run.status, 2) << node;
    EXPECT_TRUE(run.out.empty()) << node;
    EXPECT_FALSE(run.err.empty()) << node;
  }
  EXPECT_EQ(Vkmcfg({"show", Path("missing.cnt").string()}).status, 2);
}

TEST_F(VkmcfgFileTest, SetStoresThroughThePanelAndShowsBack) {
  const std::string file = NewFile("f.cnt");
  const RunResult run = Vkmcfg({"set", file, "3", "MaskEditPIN=1234", "EditBalansMinVal=70000",
                                "MaskEditBalansIdWord=Баланс "});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string bytes = ReadAll(file);
  EXPECT_EQ(bytes.substr(35 + 76, 5), std::string("1234\0", 5));
  const test::JsonValue shown = Show(file, {"3"});
  const test::JsonValue& sim = shown["nodes"]["3"]["controls"];
  EXPECT_EQ(sim["MaskEditPIN"].Text(), "1234");
  EXPECT_EQ(sim["EditBalansMinVal"].Text(), "65535");
  EXPECT_EQ(sim["MaskEditBalansIdWord"].Text(), "Баланс ");
  EXPECT_EQ(Vkmcfg({"check", file}).status, 0);
}

TEST_F(VkmcfgFileTest, SetAddressesGridCellsAndEveryValueKind) {
  const std::string file = NewFile("f.cnt");
  ASSERT_EQ(Vkmcfg({"set", file, "17", "StringGrid3[1][1]=true", "StringGrid3[1][2]=07:30", "StringGrid3[1][3]=true",
                    "StringGrid3[1][12]=4", "StringGrid3[1][13]=3"})
                .status,
            0);
  const std::string bytes = ReadAll(file);
  const std::string row1 = bytes.substr(35 + 1908, 16);
  EXPECT_EQ(row1, std::string("\x01\0\0\0\x01\x07\x1E\0\0\0\0\0\x0C\x01\x03\0", 16));

  ASSERT_EQ(Vkmcfg({"set", file, "5", "CheckBoxMaskDInput2=grayed", "CheckBoxCallEn=true", "ComboBoxGroupNum=7"}).status,
            0);
  const test::JsonValue shown = Show(file, {"5"});
  const test::JsonValue& connection = shown["nodes"]["5"]["controls"];
  EXPECT_EQ(connection["CheckBoxMaskDInput2"].Text(), "grayed");
  EXPECT_TRUE(connection["CheckBoxCallEn"].Bool());
  EXPECT_EQ(connection["ComboBoxGroupNum"].Number(), 7);
}

TEST_F(VkmcfgFileTest, SetRunsTheReactionsAUserChangeWould) {
  const std::string file = NewFile("f.cnt");
  // The first battery border cannot go above 90 %.
  ASSERT_EQ(Vkmcfg({"set", file, "18", "TrackBarDischargeWarn=5"}).status, 0);
  // The delay edit drives its spin button, which is what is stored.
  ASSERT_EQ(Vkmcfg({"set", file, "21", "EditDelayARM=30"}).status, 0);
  // A scheduler row whose action is no output drops its reaction.
  ASSERT_EQ(Vkmcfg({"set", file, "17", "StringGrid3[2][12]=5", "StringGrid3[2][13]=4", "StringGrid3[2][12]=1"}).status,
            0);

  const std::string bytes = ReadAll(file);
  EXPECT_EQ(static_cast<uint8_t>(bytes[35 + 2041]), 0x80 | 90);
  EXPECT_EQ(static_cast<uint8_t>(bytes[35 + 2040]), 0x94);  // the second border, 20 %, stays below it
  EXPECT_EQ(static_cast<uint8_t>(bytes[35 + 2320]), 30);
  const test::JsonValue shown = Show(file, {"17", "18"});
  const test::JsonValue& power = shown["nodes"]["18"]["controls"];
  EXPECT_EQ(power["TrackBarDischargeWarn"].Number(), 10);
  EXPECT_EQ(power["Label4"].Text(), "90%");
  const test::JsonValue& row2 = shown["nodes"]["17"]["controls"]["StringGrid3"][1];
  EXPECT_EQ(row2[12].Number(), 1);
  EXPECT_EQ(row2[13].Number(), 0);
}

TEST_F(VkmcfgFileTest, SetRejectsBadRequestsAndLeavesTheFileUntouched) {
  const std::string file = NewFile("f.cnt");
  const std::string before = ReadAll(file);
  const std::vector<std::vector<std::string>> requests = {
      {"set", file, "2", "NoSuchControl=1"},
      {"set", file, "38", "EditCALVAL=5"},
      {"set", file, "20", "x=1"},
      {"set", file, "5", "CheckBoxCallEn=yes"},
      {"set", file, "5", "ComboBoxGroupNum=8"},
      {"set", file, "5", "ComboBoxGroupNum=two"},
      {"set", file, "5", "CheckBoxMaskDInput1=half"},
      {"set", file, "2", "MaskEditPIN"},
      {"set", file, "2", "Label34=x"},
      {"set", file, "17", "StringGrid3[9][1]=true"},
      {"set", file, "17", "StringGrid3[1][1]=maybe"},
      {"set", file, "17", "StringGrid3=1"},
      {"set", file, "2", "MaskEditPIN[1][1]=1"},
      {"set", file, "21", "UpDownDelayARM=241"},
      {"set", file, "2", "MaskEditPIN=1", "EditReqPeriodH"},
  };
  for (const auto& request : requests) {
    const RunResult run = Vkmcfg(request);
    EXPECT_EQ(run.status, 2) << request.back();
    EXPECT_NE(run.err.find("vkmcfg: "), std::string::npos) << request.back();
    EXPECT_EQ(ReadAll(file), before) << request.back();
  }
  WriteAll(Path("bad.cnt"), "junk");
  EXPECT_EQ(Vkmcfg({"set", Path("bad.cnt").string(), "2", "MaskEditPIN=1"}).status, 2);
  EXPECT_EQ(ReadAll(Path("bad.cnt")), "junk");
}

TEST_F(VkmcfgFileTest, DiffListsShownValuesThenReservedBytes) {
  const std::string a = NewFile("a.cnt");
  const std::string b = NewFile("b.cnt");
  const RunResult same = Vkmcfg({"diff", a, b});
  EXPECT_EQ(same.status, 0);
  EXPECT_EQ(same.out, "");

  ASSERT_EQ(Vkmcfg({"set", b, "2", "MaskEditPIN=77"}).status, 0);
  std::string bytes = ReadAll(b);
  bytes[35 + 9] = 0x5A;   // reserved after the signature
  bytes[35 + 125] = static_cast<char>(bytes[35 + 125] | 0x80);  // an unwritten bit of a shown byte
  std::string image = bytes.substr(35, 3520);
  uint8_t x = 0;
  for (char c : image) x ^= static_cast<uint8_t>(c);
  bytes[3555] = static_cast<char>(-x);
  WriteAll(b, bytes);

  const RunResult run = Vkmcfg({"diff", a, b});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "2 SIM1 MaskEditPIN: \"\" -> \"77\"\n"
            "reserved 9: 00 -> 5A\n"
            "reserved 125: 1F -> 9F\n");

  EXPECT_EQ(Vkmcfg({"diff", a, Path("missing.cnt").string()}).status, 2);
}

TEST_F(VkmcfgFileTest, UsageErrors) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"new"}, {"frobnicate", "x"}, {"diff", "a"}, {"set", "f", "2"}}) {
    const RunResult run = Vkmcfg(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage:"), std::string::npos);
  }
}

}  // namespace
}  // namespace vkm
