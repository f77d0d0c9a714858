// The whole window runtime in one include: windows, controls, menus, drawing, message boxes, the
// event pump, file dialogs, pictures and help.
#pragma once

#include "platform/ui/canvas.h"
#include "platform/ui/colour.h"
#include "platform/ui/controls.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/form.h"
#include "platform/ui/help.h"
#include "platform/ui/menu.h"
#include "platform/ui/picture.h"
#include "platform/ui/runtime.h"
