// White-box: the serial drivers' shared ports, reached through the File Manager, and the
// driver calls' answers. A temporary file stands in for a communication port.
#include "osutils/serial_ports.h"

#include <cstring>

#include "Devices.h"
#include "Files.h"
#include "session_fixture.h"
#include "temp_dir.h"

namespace {

using zeb::osutils::AttachPort;
using zeb::osutils::PortOf;

unsigned char* P(const char* text) {
  static unsigned char buffer[256];
  buffer[0] = static_cast<unsigned char>(std::strlen(text));
  std::memcpy(buffer + 1, text, buffer[0]);
  return buffer;
}

class SerialDriversTest : public zebtest::SessionTest {
 protected:
  HANDLE FakePort() {
    HANDLE port = CreateFileA(dir_.File("port").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(port, INVALID_HANDLE_VALUE);
    return port;
  }
  zebtest::TempDir dir_;
};

TEST_F(SerialDriversTest, InputDriversReadTheOutputDriversPort) {
  HANDLE port = FakePort();
  AttachPort(-7, port);
  short ref = 0;
  EXPECT_EQ(OpenDrive(P(".AOUT"), &ref), noErr) << "an open port is not opened again";
  EXPECT_EQ(ref, -7);
  EXPECT_EQ(PortOf(-7), port);
  EXPECT_EQ(OpenDrive(P(".ain"), &ref), noErr);
  EXPECT_EQ(ref, -6);
  long count = 5;
  EXPECT_EQ(FSWrite(-7, &count, "hello"), noErr);
  EXPECT_EQ(count, 5);
  SetFilePointer(port, 0, nullptr, FILE_BEGIN);
  char text[8] = {};
  count = 8;
  ParamBlockRec pb{};
  pb.ioParam.ioRefNum = -6;
  pb.ioParam.ioBuffer = text;
  pb.ioParam.ioReqCount = 8;
  EXPECT_EQ(PBRead(&pb, false), noErr);
  EXPECT_EQ(pb.ioParam.ioActCount, 5);
  EXPECT_STREQ(text, "hello");
  // The other pair has no port: the host's own error number comes back.
  count = 3;
  EXPECT_EQ(FSRead(-8, &count, text), ERROR_INVALID_HANDLE);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(CloseDrive(-7), noErr);
}

TEST_F(SerialDriversTest, ClosingEitherDriverClosesTheSharedPortOnce) {
  for (short first : {static_cast<short>(-7), static_cast<short>(-6)}) {
    HANDLE port = FakePort();
    AttachPort(-7, port);
    EXPECT_EQ(CloseDrive(first), noErr);
    EXPECT_EQ(PortOf(-6), nullptr);
    EXPECT_EQ(PortOf(-7), nullptr);
    EXPECT_EQ(CloseDrive(first == -7 ? -6 : -7), noErr) << "the partner finds nothing to close";
    long count = 1;
    char byte;
    EXPECT_EQ(FSRead(-6, &count, &byte), ERROR_INVALID_HANDLE);
    EXPECT_EQ(FSWrite(-7, &count, "x"), ERROR_INVALID_HANDLE);
    // The port's handle was closed by the driver: the file can be opened exclusively again.
    HANDLE again = FakePort();
    CloseHandle(again);
  }
}

TEST_F(SerialDriversTest, DriverCallsAnswerForKnownDriversOnly) {
  short ref = 99;
  EXPECT_EQ(OpenDrive(P(".Modem"), &ref), dInstErr);
  EXPECT_EQ(ref, 0);
  EXPECT_EQ(OpenDrive(P(".AinX"), &ref), dInstErr);
  EXPECT_EQ(OpenDrive(nullptr, &ref), dInstErr);
  EXPECT_EQ(OpenDrive(P(".BIN"), &ref), noErr);
  EXPECT_EQ(ref, -8);
  // The Toolbox spellings, beside the Windows functions of the same names.
  EXPECT_EQ(OpenDriver(P(".Ain"), &ref), noErr);
  EXPECT_EQ(ref, -6);
  EXPECT_EQ(CloseDriver(ref), noErr);
  // No tablet answers here.
  EXPECT_EQ(OpenDrive(P(".Wacom"), &ref), dInstErr);
  EXPECT_EQ(ref, 0);
  for (short bad : {0, 2, -1, -5, -10, -32768, 32767}) {
    EXPECT_EQ(CloseDrive(bad), badUnitErr) << bad;
    EXPECT_EQ(Control(bad, 8, nullptr), badUnitErr) << bad;
  }
  EXPECT_EQ(Control(-7, 8, nullptr), badUnitErr) << "serial control codes are not carried over";
  EXPECT_EQ(Control(1, 8, nullptr), noErr);
  EXPECT_EQ(CloseDrive(1), noErr);
  long address = 0;
  EXPECT_EQ(Status(1, kZEBTabletStateCode, &address), noErr);
  EXPECT_NE(address, 0);
  EXPECT_EQ(Status(1, 21, &address), badUnitErr);
  EXPECT_EQ(Status(-7, kZEBTabletStateCode, &address), badUnitErr);
  EXPECT_EQ(Status(1, kZEBTabletStateCode, nullptr), paramErr);
}

}  // namespace
