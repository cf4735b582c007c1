// The operation worker against the simulator: the texts each kind shows, in
// order and colour, its result code, and what it does to the caller's data.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RecordingFrontEnd.h"
#include "SimulatorFixture.h"
#include "StatusTextLiterals.h"
#include "link/OperationWorker.h"

namespace vkm::test {
namespace {


using Texts = std::vector<ShownText>;
using Bytes = std::vector<uint8_t>;

class WorkerDeviceTest : public SimulatorTest {
 protected:
  int Run(OperationKind kind, Bytes& data, int areaId = 0) {
    report.Clear();
    return RunWorker({kind, areaId, data.data(), static_cast<int>(data.size())}, port, report);
  }

  bool Start(const std::vector<std::string>& args) {
    sim = StartSimulator(args);
    if (sim != nullptr) port = sim->Port();
    return sim != nullptr;
  }

  SimulatorProcess* sim = nullptr;
  std::string port;
  RecordingReport report;
};

TEST_F(WorkerDeviceTest, EveryKindShowsItsStepsAndItsSuccessInBlue) {
  ASSERT_TRUE(Start({}));
  const Bytes parameters = {0xE8, 0x03, 0x02, 0x00, 0x00, 0x01, 0x01, 0x00, 0x11, 0x22, 0x33, 0x44,
                            0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x01};

  Bytes block = parameters;
  EXPECT_EQ(Run(OperationKind::ProgramArea, block, 5), 0);
  EXPECT_EQ(report.Texts(), (Texts{Black(kIdentifying), Black(kWriting), Black(kReading), Blue(kProgrammed)}));
  EXPECT_EQ(report.Positions(), (std::vector<int>{0, 24, 0, 24}));

  Bytes read(24, 0);
  EXPECT_EQ(Run(OperationKind::ReadArea, read, 5), 0);
  EXPECT_EQ(report.Texts(), (Texts{Black(kIdentifying), Black(kReading), Blue(kDataRead)}));
  EXPECT_EQ(read, parameters);

  Bytes same = parameters;
  EXPECT_EQ(Run(OperationKind::CompareArea, same, 5), 0);
  EXPECT_EQ(report.Texts(), (Texts{Black(kIdentifying), Black(kReading), Blue(kEqual)}));
  Bytes other = parameters;
  other[23] ^= 0x80;
  EXPECT_EQ(Run(OperationKind::CompareArea, other, 5), 1);
  EXPECT_EQ(report.Texts(), (Texts{Black(kIdentifying), Black(kReading), Red(kDifferent)}));

  // The kinds of one request or command, with the record sizes and the
  // payloads their callers use.
  struct ShortCase {
    OperationKind kind;
    Bytes data;
    const char* success;
  };
  ShortCase cases[] = {
      {OperationKind::ReadIdentity, Bytes(88, 0), kVersionRead},
      {OperationKind::ReadState, Bytes(36, 0), kDataRead},
      {OperationKind::SendData, Bytes{26, 3, 1, 10, 20, 30}, kDataSent},
      {OperationKind::ReadKeyReader, Bytes(12, 0xFF), kDataRead},
      {OperationKind::ApplyConfiguration, Bytes{0}, kDataSent},
      {OperationKind::SendPassword, Bytes(9, 0), kDataSent},
      {OperationKind::ControlCommand, Bytes{0, 0, 0}, kDataSent},
      {OperationKind::ReadGps, Bytes(28, 0), kDataRead},
      {OperationKind::Restart, Bytes{0}, kRestarting},
  };
  for (ShortCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    EXPECT_EQ(Run(c.kind, c.data), 0);
    EXPECT_EQ(report.Texts(), (Texts{Black(kIdentifying), Blue(c.success)}));
    EXPECT_TRUE(report.Positions().empty());
  }
  // Records land in the caller's buffer.
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(cases[0].data.data())), "VKM410");
  EXPECT_EQ(cases[3].data, Bytes(12, 0)) << "no key on the reader";

  const std::vector<int> commands = sim->Commands();
  EXPECT_EQ(std::vector<int>(commands.end() - 9, commands.end()),
            (std::vector<int>{5, 12, 13, 14, 15, 17, 20, 21, 16}));
  EXPECT_NE(sim->Log().find("restart: done"), std::string::npos);
}

TEST_F(WorkerDeviceTest, ProgrammingWhoseReadBackDiffersIsAFailure) {
  ASSERT_TRUE(Start({"--fault", "corrupt@cmd:19"}));
  const Bytes parameters(24, 0x42);
  Bytes data = parameters;
  EXPECT_EQ(Run(OperationKind::ProgramArea, data, 5), 1);
  EXPECT_EQ(report.Texts(), (Texts{Black(kIdentifying), Black(kWriting), Black(kReading), Red(kMismatch)}));
  EXPECT_EQ(data, parameters);
  EXPECT_EQ(sim->Commands(), (std::vector<int>{18, 19}));
}

// A reply of the right size with a bad check byte is not asked for again, so
// one fault on the fifth read frame is the fifth block's failure.
TEST_F(WorkerDeviceTest, AReadFailingInItsFifthBlockLeavesTheDataAsItWas) {
  ASSERT_TRUE(Start({"--fault", "badcheck@cmd:7:5"}));
  Bytes data(3520, 0x5A);
  EXPECT_EQ(Run(OperationKind::ReadArea, data, 1), 1);
  EXPECT_EQ(data, Bytes(3520, 0x5A));
  EXPECT_EQ(report.Texts(), (Texts{Black(kIdentifying), Black(kReading), Red("Ошибка передачи данных, код 2")}));
  EXPECT_EQ(report.Positions(), (std::vector<int>{0, 256, 512, 768, 1024}));
  EXPECT_EQ(sim->CountFrames(7), 5);
}

TEST_F(WorkerDeviceTest, AFailingExchangeFollowsTheFirstStepInRedAndKeepsTheData) {
  ASSERT_TRUE(Start({"--fault", "password@cmd:17", "--fault", "echo-command@cmd:5"}));
  Bytes password(9, 0);
  EXPECT_EQ(Run(OperationKind::SendPassword, password), 1);
  EXPECT_EQ(report.Texts(),
            (Texts{Black(kIdentifying), Red("Взаимодействие запрещено без указания пароля, команды чтения/записи и "
                                            "ряд управляющих команд не могут быть выполнены")}));
  Bytes identity(88, 0xEE);
  EXPECT_EQ(Run(OperationKind::ReadIdentity, identity), 1);
  EXPECT_EQ(report.Texts(), (Texts{Black(kIdentifying), Red("Ошибка передачи данных, код 3")}));
  EXPECT_EQ(identity, Bytes(88, 0xEE));
}

TEST_F(WorkerDeviceTest, APortThatCannotBeOpenedShowsOnlyThatAndFails) {
  port = Path("no-such-port").string();
  const ShownText cannotOpen = Red(QString::fromUtf8("Невозможно открыть ") + QString::fromStdString(port));
  for (OperationKind kind :
       {OperationKind::ReadArea, OperationKind::ProgramArea, OperationKind::ReadIdentity, OperationKind::Restart}) {
    SCOPED_TRACE(static_cast<int>(kind));
    Bytes data(24, 0x11);
    EXPECT_EQ(Run(kind, data, 5), 1);
    EXPECT_EQ(report.Texts(), Texts{cannotOpen});
    EXPECT_TRUE(report.Positions().empty());
    EXPECT_EQ(data, Bytes(24, 0x11));
  }
}

TEST_F(WorkerDeviceTest, AnUnknownKindSendsAndShowsNothing) {
  ASSERT_TRUE(Start({}));
  Bytes data(88, 0x33);
  EXPECT_EQ(Run(static_cast<OperationKind>(12), data), 1);
  EXPECT_TRUE(report.Texts().empty()) << ::testing::PrintToString(report.Texts());
  EXPECT_EQ(data, Bytes(88, 0x33));
  // Only the identification that follows reached the controller.
  Bytes identity(88, 0);
  EXPECT_EQ(Run(OperationKind::ReadIdentity, identity), 0);
  EXPECT_EQ(sim->Commands(), std::vector<int>{5});
}

}  // namespace
}  // namespace vkm::test
