#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "ui/MessageService.h"

class QWidget;

namespace tarvel {

inline constexpr const char* kApplicationTitle = "Tarvel Generator";

// The error box shows the message with a full stop added when its last byte sorts after ".".
std::string ErrorBoxText(std::string_view message);

// The standard error box: error icon, OK, the application's title.
void reportError(MessageService& messages, QWidget* parent, std::string_view message);

// Runs a slot's body and shows whatever leaves it in the error box, so that no exception ever
// reaches Qt's event loop.
template <class Body>
void RunReportingErrors(MessageService& messages, QWidget* parent, Body&& body) {
  try {
    body();
  } catch (const std::exception& error) {
    reportError(messages, parent, error.what());
  } catch (...) {
    reportError(messages, parent, "Unknown error");
  }
}

}  // namespace tarvel
