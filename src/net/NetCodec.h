#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "net/NetMessages.h"

namespace zel {

// The frame of every message on the wire:
//   4 bytes  body length N, big-endian, 2..kNetLimits.MaxFrameBytes
//   1 byte   protocol version (kNetLimits.ProtocolVersion)
//   1 byte   message type (MessageTypeByte)
//   N-2      the fields, in the order NetMessages.h lists them:
//            integers as big-endian two's complement (1 byte for yes/no
//            fields and counts, 2 for the game's 16-bit fields, its -1/0
//            flags among them, 4 for strike numbers and the Hello's version
//            and build), texts as a 2-byte length and UTF-8 bytes, numbers as texts holding the shortest
//            decimal that reads back to the same bits (as the saved games
//            write them).
// The body must be used up exactly: trailing bytes are a malformed message.

// The whole frame of a message. Messages outside the field bounds are
// encoded as given (tests build bad ones this way); the reader refuses them.
std::string EncodeFrame(const NetMessage& m);

// One frame's body (version, type, fields) read and checked field by field.
// On failure `error` holds the player's text (NetTexts.h) with the detail.
std::optional<NetMessage> DecodeBody(std::string_view body, std::string& error);

// "Xvec=..\r\nYvec=..\r\nX=..\r\nY=..\r\nG=..\r\n" exactly as FormatReplayStep
// writes it (any other text is refused): finite numbers, the vector no longer
// than a full-power strike, the touch point on some table, G in 0..MaxPower.
std::optional<ReplayStepRecord> ParseStepText(std::string_view text);

}  // namespace zel
