// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/form.h"

#include "main/window.h"
