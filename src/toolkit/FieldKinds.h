// What the toolkit controls need to know of a field-list member: the default column width, whether
// it is a number or money field, and which field shows a basic record's full name. The answers come
// from the installed global field-functions object; without one (a toolkit used on its own) the
// answers of this host edition's tables are built in.
#pragma once

#include "../framework/BasicTypes.h"

namespace tkv {

// Column width in pixels when a declaration leaves it 0.
int DefaultColWidth(TFieldsList field);
bool IsNumberField(TFieldsList field);
bool IsMoneyField(TFieldsList field);
// The full-name field of a basic type; flNull for the kinds without one.
TFieldsList FullNameField(TBasicType type);

} // namespace tkv
