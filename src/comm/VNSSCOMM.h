// The shared-functions module VNSSCOMM in one include: module state, data access, folders, date
// texts, messages, help, the settings file and the insurance gateway.
#pragma once

#include "DataAccess.h"
#include "DateText.h"
#include "Exception.h"
#include "FloatText.h"
#include "HtmlHelp.h"
#include "InsuranceBusiness.h"
#include "InsuranceGateway.h"
#include "Messages.h"
#include "ModuleState.h"
#include "Paths.h"
#include "Settings.h"
