// The shared-functions module VNSSCOMM in one include: module state, data access, folders, date
// texts, messages, help and the settings reader.
#pragma once

#include "DataAccess.h"
#include "DateText.h"
#include "Exception.h"
#include "HtmlHelp.h"
#include "Messages.h"
#include "ModuleState.h"
#include "Paths.h"
#include "Settings.h"
