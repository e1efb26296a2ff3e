// SPDX-License-Identifier: GPL-3.0-or-later
#include "main/window.h"

#include "forms/form.h"
