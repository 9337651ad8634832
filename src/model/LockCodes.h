#pragma once

#include <QtGlobal>

// The lock's vocabulary, in one place: the event codes it records, the user numbers it names, and
// the sizes of what it sends over the line and leaves in a key.

// Event codes of the lock and the keypad.
enum class EventCode : quint8 {
    ValidCode = 0x01,
    ValidSecondCode = 0x02,
    CodeChanged = 0x03, // by user 100: the lock was installed or removed
    MotorOpenBoltNotOpen = 0x04,
    BoltOpen = 0x05,
    MotorOpenLowBatteryBoltNotOpen = 0x06,
    BoltOpenLowBattery = 0x07,
    TimeDelayStarted = 0x08,
    OpenWindowStarted = 0x09,
    ExpiredUserAttempt = 0x0B,
    SilentAlarmCode = 0x0C,
    RemoteBlock = 0x0D,
    LowBatteryDuringOpening = 0x0E,
    InactiveUserAttempt = 0x0F,
    UserEnabled = 0x10,
    UserInstalled = 0x11,
    UserDisabled = 0x12,
    UserDeleted = 0x13,
    MotorTimeout = 0x14,
    Command22 = 0x26,
    Command89Write = 0x28,
    DelaysChanged = 0x29,
    EnterChangeCode = 0x30,
    EnterInstallUser = 0x31,
    EnterDisableUser = 0x32,
    EnterDeleteUser = 0x33,
    EnterBatteryCheck = 0x34,
    EnterKeypadCheck = 0x35,
    EnterSystemSettings = 0x36,
    EnterAuditDownload = 0x37,
    EnterChangeConfiguration = 0x38,
    EnterChangeTimeDelay = 0x39,
    EnterLockReset = 0x40,
    EnterSetTimeDate = 0x41,
    BoltOpenRemote = 0x60,
    OptionChanged = 0x68, // the user byte is the option
    ConfigurationChanged = 0x70, // the user byte is the configuration
    DoorOpened = 0xA0,
    DoorClosed = 0xA1,
    TimeAndDateChanged = 0xE0,
    DateChanged = 0xE1,
    TimeChanged = 0xE2,
    PowerReEnabled = 0xF0,
    PowerReEnabledOther = 0xF1,
    CpuRestart = 0xF2,
    CpuRestartOther = 0xF3,
    WrongTry = 0xF5,
    TimePenalty = 0xF6,
    StopCount = 0xF7,
    BoltClosed = 0xF9,
    LockReset = 0xFA,
    FactoryReset = 0xFF,
};

constexpr int code(EventCode e) { return int(e); }
constexpr bool Is(int event, EventCode e) { return event == code(e); }

// The simple audit leaves out the code entry that goes with a change of users or delays, a lock
// reset with its code entry, and commands with what follows them.
constexpr bool IsChangeEvent(int e)
{
    return Is(e, EventCode::DelaysChanged) || Is(e, EventCode::UserEnabled) || Is(e, EventCode::UserInstalled)
        || Is(e, EventCode::UserDisabled) || Is(e, EventCode::UserDeleted);
}
constexpr bool IsCodeEntry(int e)
{
    return Is(e, EventCode::ValidCode) || Is(e, EventCode::ValidSecondCode) || Is(e, EventCode::SilentAlarmCode);
}
constexpr bool IsCommandEvent(int e) { return Is(e, EventCode::Command22) || Is(e, EventCode::Command89Write); }
constexpr bool IsLockReset(int e) { return Is(e, EventCode::LockReset); }

// The daylight-saving correction takes the lock's clock settings as its references.
constexpr bool IsClockSetting(int e) { return Is(e, EventCode::TimeChanged); }

// Users as the lock numbers them.
namespace users {
constexpr int FirstUser = 1;
constexpr int LastUser = 59;
constexpr int Manager = 60;
constexpr int Manager2 = 61;
constexpr int Manager3 = 62;
constexpr int FirstOtherUser = 63;
constexpr int LastOtherUser = 79;
constexpr int Master = 80;
constexpr int Master2 = 81;
constexpr int Erc1 = 98;
constexpr int Erc2 = 99;
constexpr int LockInstaller = 100; // with CodeChanged: the lock itself was installed or removed
constexpr int Slots = 100;
} // namespace users

// The keypad's device byte in a key's events block; any other value is the lock, which writes 0x01.
constexpr quint8 KeypadDevice = 0x7E;
constexpr quint8 LockDevice = 0x01;

// Sizes on the line and in a key.
namespace wire {
constexpr int DallasImageSize = 8192;
constexpr int DallasPageSize = 32;
constexpr int DallasPageCount = DallasImageSize / DallasPageSize; // 256
constexpr int BusRecordSize = 12;
constexpr int BusRecordCapacity = 5752; // the session's buffer
constexpr int BusDownloadLimit = 5600;  // what a download asks at most
constexpr int BusDateTimeTableEntrySize = 8;
constexpr int BusDateTimeTableEntries = 8;
constexpr int BusDateTimeTableSize = BusDateTimeTableEntrySize * BusDateTimeTableEntries;
constexpr int BusVersionSize = 12;
constexpr int BusReportSize = 36;
constexpr int BusConfigSize = 64;
constexpr int BusStatusSize = 5;
constexpr int UsersLogRecordCount = 104;
constexpr int UsersLogRecordSize = 8;
} // namespace wire
