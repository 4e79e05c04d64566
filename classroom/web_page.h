#pragma once

#include <QByteArray>

#include "web/web_address.h"

namespace app {

// The web edition in one file (web/: the session's core compiled to WebAssembly, and the
// page around it), for students to open in any browser, offline, from a USB stick or in a
// course page's frame. Opened without an address of its own, it shows what this address
// names: a layout, a lesson at its step, the tour, an exercise.
QByteArray webEditionPage(const WebAddress& address);

}  // namespace app
