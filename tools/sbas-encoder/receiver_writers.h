#pragma once

#include "sbas_message.h"

#include <string>
#include <vector>

// Writes SBAS messages in receivers' output formats, byte for byte as the makers' interface
// descriptions lay them out (see the readers in tools/sbas-sources for each layout's source):
// the test data of the readers and a way to turn a message-log recording into a receiver file.
namespace receiver {

enum class UbxClock { TimeGps, Rawx };
// Before the SFRBX frames of each second, the navigation epoch one second after the messages'
// time, as UBX-NAV-TIMEGPS or as UBX-RXM-RAWX (with no measurements).
std::string Ubx(const std::vector<SbasMessage> &messages, UbxClock clock = UbxClock::TimeGps);
std::string UbxFrame(uint8_t cls, uint8_t id, const std::string &payload);
std::string UbxSubframe(const SbasMessage &m);
std::string UbxTimeGps(int week, double tow);

// GEORawL1 blocks, CRCPassed set from the message's parity.
std::string Sbf(const std::vector<SbasMessage> &messages);
std::string SbfBlock(int number, const std::string &body); // body after the 8-byte header

// RAWWAASFRAME logs. Messages whose parity fails are left out, as the receivers leave them
// out; `left` counts them.
std::string NovatelBinary(const std::vector<SbasMessage> &messages, int *left = nullptr);
// One binary log of any ID and body, with its header and CRC.
std::string NovatelLog(int id, int week, double tow, const std::string &body);
std::string NovatelAscii(const std::vector<SbasMessage> &messages, int *left = nullptr);

// "week tow prn type : HEX" lines: 64 digits, or 58 (bits 1-226), which like the NovAtel logs
// cannot carry a message whose parity fails.
std::string ToolLines(const std::vector<SbasMessage> &messages, bool shortForm, int *left = nullptr);
// Message-log records, LF line ends as the recordings have them.
std::string LogRecords(const std::vector<SbasMessage> &messages);

} // namespace receiver
