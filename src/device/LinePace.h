#pragma once

// The pace of the line to the USB interface: the speed of each of its two modes, and the timing
// of one request/answer exchange. The serial transport keeps it; the simulator and the replay of a
// capture imitate it, without any of the transport.

// The bus (keypad and lock) and the interface's Dallas key reader.
constexpr int BusModeBaudRate = 4800;
constexpr int KeyModeBaudRate = 19200;

struct LinkPace
{
    int writeDrainMs = 1000; // for the request to leave the port; its outcome is not looked at
    int firstByteMs = 800;   // for the first byte of the answer: past it, no answer
    int silenceMs = 40;      // of silence that ends an answer, whatever its length byte says
};

// The line's own pace: that of every exchange the programs make with a lock.
constexpr LinkPace LinePace{};
