// SPDX-License-Identifier: GPL-3.0-or-later
// A form that names the main window: the loop the check must find.
#pragma once
