#pragma once

#include <QString>

namespace app {

// Where the last layout is kept between runs of the program: last-layout.txt in the
// program's folder of the user's state folder ($XDG_STATE_HOME, by default
// ~/.local/state), as a site list.
QString lastLayoutFile();

}  // namespace app
