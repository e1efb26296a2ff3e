// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>
#include <vector>

#include "design_warnings.h"

namespace haltrix::gui {

// A compact list of a design's warnings: one line per finding ("警告: …"),
// marked with the severity's icon, the whole message also as its tool tip;
// one grey line when there are none. Lines wrap, so nothing is cut off.
class FindingsList : public QListWidget {
    Q_OBJECT
public:
    explicit FindingsList(QWidget* parent = nullptr);

    void showFindings(const std::vector<Finding>& findings);
    const std::vector<Finding>& findings() const { return m_findings; }

private:
    std::vector<Finding> m_findings;
};

} // namespace haltrix::gui
