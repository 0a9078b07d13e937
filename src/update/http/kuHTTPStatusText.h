#pragma once

#include <cstdint>
#include <string>

namespace tessaro {

// Status numbers raised through OnStatusChanged, numbered as the transfer
// component has always numbered them.
enum class TkuHTTPStatus : std::uint32_t {
    ResolvingName = 10,
    NameResolved = 11,
    ConnectingToServer = 20,
    Connected = 21,
    SendingRequest = 30,
    RequestSent = 31,
    ReceivingResponse = 40,
    ResponseReceived = 41,
    ClosingConnection = 50,
    ConnectionClosed = 51,
    Redirect = 110,
};

// The text for a status number ("Unknown status" for numbers not in the table).
std::string HTTPStatusText(std::uint32_t statusID);

}  // namespace tessaro
