// vkmcfg's device verbs end to end: the real tool against the simulator on a
// pseudo-terminal.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "JsonCheck.h"
#include "RunVkmcfg.h"
#include "link/SimulatorFixture.h"
#include "model/FactoryImage.h"

namespace vkm::test {
namespace {

constexpr char kPassword[] = "s3cret";
constexpr char kPasswordNeeded[] =
    "red Взаимодействие запрещено без указания пароля, команды чтения/записи и ряд управляющих команд не могут быть "
    "выполнены\n";

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The JSON object the sysparams verb prints between its status lines.
std::unique_ptr<JsonValue> PrintedJson(const std::string& out) {
  const std::size_t begin = out.find("{\n");
  const std::size_t end = out.find("\n}\n", begin);
  if (begin == std::string::npos || end == std::string::npos) return nullptr;
  return JsonReader(out.substr(begin, end + 2 - begin)).Read();
}

class VkmcfgDeviceTest : public SimulatorTest {
 protected:
  // Runs vkmcfg on the port; `environment` is put before the command (the
  // password variable is never inherited).
  RunResult Vkmcfg(const std::vector<std::string>& args, const std::string& environment = "") {
    return RunVkmcfg(args, dir_, environment);
  }

  RunResult OnPort(std::vector<std::string> args, const std::string& environment = "") {
    args.insert(args.begin(), {"--port", sim->Port()});
    return Vkmcfg(args, environment);
  }

  bool Start(const std::vector<std::string>& args) {
    sim = StartSimulator(args);
    return sim != nullptr;
  }

  SimulatorProcess* sim = nullptr;
};

TEST_F(VkmcfgDeviceTest, IdentifyPrintsTheStepsAndTheTenLabels) {
  ASSERT_TRUE(Start({"--imei", "123456789012345"}));
  const RunResult run = OnPort({"identify"});
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string expectedStart =
      "black Идентификация...\n"
      "blue Версия устройства считана\n"
      "iDeviceNameLabel: VKM410\n"
      "iModificationLabel: G\n"
      "iHardVerLabel: 01.00\n"
      "iSoftVerLabel: 01.00\n"
      "iBLLabel: 01.00\n"
      "iDateLabel: 2026-01-15\n"
      "iLabelCountryCode: 7\n"
      "iLabelDevSNLocked: " +
      std::string(48, ' ') +
      "-\n"
      "iGSMIMEILabel: 123456789012345\n"
      "iLabelDevSN: ";
  EXPECT_EQ(run.out.substr(0, expectedStart.size()), expectedStart);
}

TEST_F(VkmcfgDeviceTest, IdentifyOfAnUnsupportedVersionFails) {
  ASSERT_TRUE(Start({"--firmware", "0101"}));
  const RunResult run = OnPort({"identify"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(run.out, "blue Версия устройства считана\nblue Версия G.01.01 не поддерживается\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "iSoftVerLabel: 01.01\n")) << run.out;
}

TEST_F(VkmcfgDeviceTest, AMissingPortFailsOnOpening) {
  const std::string port = Path("no-such-port").string();
  const RunResult run = Vkmcfg({"--port", port, "identify"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out.substr(0, run.out.find("iModificationLabel")),
            "red Невозможно открыть " + port + "\niDeviceNameLabel: --------\n");
  EXPECT_EQ(Vkmcfg({"--port", port, "read", Path("out.cnt").string()}).out, "red Невозможно открыть " + port + "\n");
}

TEST_F(VkmcfgDeviceTest, ReadSavesTheControllersImage) {
  const std::string image = ImageFile("marked.cnt", MarkedImage());
  ASSERT_TRUE(Start({"--image", image}));
  const std::string out = Path("out.cnt").string();
  const RunResult run = OnPort({"read", out});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "black Идентификация...\n"
            "blue Версия устройства считана\n"
            "black Идентификация...\n"
            "blue Данные переданы\n"
            "black Идентификация...\n"
            "black Чтение данных из памяти контроллера...\n"
            "blue Данные считаны\n");
  EXPECT_EQ(ReadWholeFile(out), ReadWholeFile(image));
}

TEST_F(VkmcfgDeviceTest, ReadOfAnInvalidImageSavesTheFactoryImageAndFails) {
  ASSERT_TRUE(Start({"--image", ImageFile("invalid.cnt", InvalidImage())}));
  const std::string out = Path("out.cnt").string();
  const RunResult run = OnPort({"read", out});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Contains(run.out,
                       "blue Данные считаны\n"
                       "red Контроллер не содержит достоверную конфигурацию.\n"
                       "Настройте параметры как необходимо и запрограммируйте конфигурацию.\n"))
      << run.out;
  EXPECT_EQ(ReadWholeFile(out), ConfigurationFileBytes(FactoryImage()));
}

TEST_F(VkmcfgDeviceTest, ThePasswordComesFromTheOptionOrTheEnvironment) {
  const ConfigurationImage image = WithPassword(MarkedImage(), kPassword);
  ASSERT_TRUE(Start({"--image", ImageFile("protected.cnt", image)}));
  const std::string out = Path("out.cnt").string();

  const RunResult refused = OnPort({"read", out});
  EXPECT_EQ(refused.status, 1);
  EXPECT_TRUE(Contains(refused.out, kPasswordNeeded)) << refused.out;
  EXPECT_FALSE(std::filesystem::exists(out));

  // Saved files never hold the password.
  const RunResult byOption = OnPort({"--password", kPassword, "read", out});
  EXPECT_EQ(byOption.status, 0) << byOption.out;
  EXPECT_EQ(ReadWholeFile(out), ConfigurationFileBytes(MarkedImage()));

  std::filesystem::remove(out);
  const RunResult byEnvironment = OnPort({"read", out}, std::string("VKM_PASSWORD=") + kPassword);
  EXPECT_EQ(byEnvironment.status, 0) << byEnvironment.out;
  EXPECT_EQ(ReadWholeFile(out), ConfigurationFileBytes(MarkedImage()));
}

TEST_F(VkmcfgDeviceTest, ProgramThenCompare) {
  ASSERT_TRUE(Start({}));
  const std::string marked = ImageFile("marked.cnt", MarkedImage());
  const std::string factory = ImageFile("factory.cnt", FactoryImage());

  const RunResult program = OnPort({"program", marked, "--clear-modes"});
  EXPECT_EQ(program.status, 0) << program.out << program.err;
  EXPECT_TRUE(Contains(program.out,
                       "black Передача данных в память контроллера...\n"
                       "black Чтение данных из памяти контроллера...\n"
                       "blue Программирование завершено успешно\n"))
      << program.out;
  EXPECT_TRUE(program.out.ends_with("blue Перезагрузка устройства инициированна\n")) << program.out;
  EXPECT_EQ(sim->CountFrames(8), 1) << "the mode memory written";
  EXPECT_EQ(sim->CountFrames(9), 1) << "and read back";

  const RunResult same = OnPort({"compare", marked});
  EXPECT_EQ(same.status, 0) << same.out;
  EXPECT_TRUE(same.out.ends_with("blue Данные в памяти контроллера аналогичны текущим\n")) << same.out;

  const RunResult different = OnPort({"compare", factory});
  EXPECT_EQ(different.status, 1);
  EXPECT_TRUE(different.out.ends_with("red Данные в памяти контроллера отличаются от текущих\n")) << different.out;
}

TEST_F(VkmcfgDeviceTest, RestartNeedsThePassword) {
  ASSERT_TRUE(Start({"--image", ImageFile("protected.cnt", WithPassword(FactoryImage(), kPassword))}));
  const RunResult refused = OnPort({"restart"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_TRUE(refused.out.ends_with(kPasswordNeeded)) << refused.out;

  const RunResult run = OnPort({"restart", "--password", kPassword});
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(run.out.ends_with("black Идентификация...\nblue Перезагрузка устройства инициированна\n")) << run.out;
  EXPECT_TRUE(Contains(sim->Log(), "restart: done"));
}

TEST_F(VkmcfgDeviceTest, FactoryResetCountsDownUntilTheControllerDropsItsPassword) {
  ASSERT_TRUE(
      Start({"--image", ImageFile("protected.cnt", WithPassword(MarkedImage(), kPassword)), "--reset-delay", "2"}));
  const RunResult run = OnPort({"factory-reset", "--countdown", "3"});
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_TRUE(Contains(run.err, "3 Сек.\n2 Сек.\n1 Сек.\n0 Сек.\n")) << run.err;
  EXPECT_TRUE(Contains(run.out, kPasswordNeeded)) << run.out;
  EXPECT_TRUE(run.out.ends_with("blue Программирование завершено успешно\n")) << run.out;
  EXPECT_TRUE(Contains(sim->Log(), "administrative password cleared"));

  const RunResult compare = OnPort({"compare", ImageFile("factory.cnt", FactoryImage())});
  EXPECT_EQ(compare.status, 0) << compare.out;
}

TEST_F(VkmcfgDeviceTest, SysparamsPrintsTheBlockAndProgramsNewValues) {
  ASSERT_TRUE(Start({}));
  const RunResult read = OnPort({"sysparams"});
  EXPECT_EQ(read.status, 0) << read.err;
  const auto before = PrintedJson(read.out);
  ASSERT_NE(before, nullptr) << read.out;
  EXPECT_EQ((*before)["port"].Text(), sim->Port());
  EXPECT_EQ((*before)["nodes"]["38"]["controls"]["EditCALVAL"].Text(), "0");

  const RunResult set = OnPort({"sysparams", "EditCALVAL=1000"});
  EXPECT_EQ(set.status, 0) << set.out << set.err;
  EXPECT_TRUE(set.out.ends_with("blue Программирование завершено успешно\n")) << set.out;

  const auto after = PrintedJson(OnPort({"sysparams"}).out);
  ASSERT_NE(after, nullptr);
  EXPECT_EQ((*after)["nodes"]["38"]["controls"]["EditCALVAL"].Text(), "1000");
}

TEST_F(VkmcfgDeviceTest, UsageErrorsEndWithStatusTwoBeforeTouchingThePort) {
  ASSERT_TRUE(Start({}));
  const std::vector<std::vector<std::string>> cases = {
      {"--port", sim->Port()},
      {"--port", sim->Port(), "read"},
      {"--port", sim->Port(), "identify", "extra"},
      {"--port", sim->Port(), "compare", "a.cnt", "--clear-modes"},
      {"--port", sim->Port(), "restart", "--countdown", "3"},
      {"--port", sim->Port(), "factory-reset", "--countdown", "soon"},
      {"--port", sim->Port(), "factory-reset", "--countdown"},
      {"--port", sim->Port(), "erase"},
      {"--password", "x", "identify"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    const RunResult run = Vkmcfg(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(Contains(run.err, "usage:"));
  }
  EXPECT_TRUE(sim->Frames().empty()) << sim->Log();
}

}  // namespace
}  // namespace vkm::test
