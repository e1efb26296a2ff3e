// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The example designs as the window tests start from them.

#include <QtGlobal>

#include <string>

#include "design/design_calculation.h"
#include "document/design_document.h"
#include "files/design_file.h"
#include "design/design_inputs.h"

namespace haltrix::testing {

// An example design file as reading it gives it.
inline DesignInputs exampleInputs(const char* fileName) {
    DesignInputs inputs;
    const std::string path = std::string(HALTRIX_EXAMPLES_DIR) + "/" + fileName;
    const auto error = readDesignFile(path, inputs);
    if (error)
        qFatal("cannot read %s: %s", path.c_str(), error->message().c_str());
    return inputs;
}

// Changes the document's inputs as a window would: all at once, announced.
template <typename Change>
void changeInputs(gui::DesignDocument& document, Change change) {
    DesignInputs inputs = document.inputs();
    change(inputs);
    document.setInputs(inputs);
}

} // namespace haltrix::testing
