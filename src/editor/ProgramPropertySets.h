// The program's property sets with their factory values: the default set for plain text, the
// HTML and Delphi sets, the factory copies (…Org) and the main form's own EditorProp1.
#pragma once

#include "editor/PropertySet.h"

TEditorProp MakeEditorProp_Default();
TEditorProp MakeEditorProp_DefaultOrg();
TEditorProp MakeEditorProp_HTML();
TEditorProp MakeEditorProp_HTMLOrg();
TEditorProp MakeEditorProp_Delphi();
TEditorProp MakeEditorProp1();
