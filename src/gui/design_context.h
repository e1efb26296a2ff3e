#pragma once

#include <QString>

#include "design_record.h"

namespace haltrix::gui {

// What the windows share for one run of the program: the design record and
// the current design file. The main window owns it and hands it to every
// window it creates; tests build fresh ones.
struct DesignContext {
    DesignRecord record;
    QString currentFileName;
};

} // namespace haltrix::gui
