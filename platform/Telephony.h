#pragma once

#include <QString>

// One request to the desktop's dialing service: the number to call and what
// the service may show about the call.
struct DialRequest {
  QString DestinationAddress;  // the phone number exactly as the user typed it
  QString ApplicationName;
  QString CalledParty;
  QString Comment;
};

// Results of a dial request.
inline constexpr int kDialAccepted = 0;
inline constexpr int kDialNoRecipient = -2;       // no dialing application is available
inline constexpr int kDialQueueFull = -3;         // the service cannot take more requests
inline constexpr int kDialInvalidAddress = -4;    // the number cannot be dialed
inline constexpr int kDialHandlerFailed = -5;     // the dialing application could not be started

// The telephony service: hands a request to a dialing application and answers
// at once with one of the results above (any other negative value is an error
// the program does not know).
class Telephony {
 public:
  virtual ~Telephony() = default;
  virtual int RequestMakeCall(const DialRequest& request) = 0;
};

Telephony& TelephonyService();
void InstallTelephony(Telephony* implementation);
