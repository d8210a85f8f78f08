// The stored form of an editor property set: the bytes the settings file keeps as the
// hexadecimal dump "prop" under the set's name.
#pragma once

#include "editor/PropertySet.h"

#include <string>
#include <string_view>

// Every field of the set except its name, as named properties.
std::string PropertySetToBytes(const TEditorProp& p);
// Loads what the bytes hold into p; properties the bytes lack keep their value, values out of
// range are clamped by the set's own setters. False (and p unchanged) when the bytes are not a
// stored property set.
bool PropertySetFromBytes(std::string_view bytes, TEditorProp& p);
