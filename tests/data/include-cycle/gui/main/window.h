// SPDX-License-Identifier: GPL-3.0-or-later
// A main window whose source includes the form.
#pragma once
