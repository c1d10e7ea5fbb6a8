// The four exports of TkvfpPlug.dll (stdcall, undecorated through TkvfpPlug.def). Interface
// results go to the caller's slot with one added reference; the menu exports take the framework
// string argument without reading it.
#include "../plugin/Exports.h"

#include "AnsiString.h"
#include "Guard.h"
#include "PlugInfoTable.h"
#include "RetailPluginTable.h"

using namespace tkv::abi;

extern "C" {

void TKV_STDCALL CreatePlugInfo(RawPlugInfo** result) {
    Guarded([&] {
        RawPlugInfo* fresh = PlugInfoForHost(tkv::CreatePlugInfo());
        RawPlugInfo* old = *result;
        *result = fresh;
        if (old)
            reinterpret_cast<const RawUnknownVtbl*>(old->lpVtbl)->Release(reinterpret_cast<RawObject*>(old));
    });
}

void TKV_STDCALL CreateRetailPlug(RawRetailPlugin** result) {
    Guarded([&] {
        RawRetailPlugin* fresh = RetailPluginForHost(tkv::CreateRetailPlug());
        RawRetailPlugin* old = *result;
        *result = fresh;
        if (old)
            reinterpret_cast<const RawUnknownVtbl*>(old->lpVtbl)->Release(reinterpret_cast<RawObject*>(old));
    });
}

void TKV_STDCALL TkvjobLink(AnsiChars ErrorMsg) {
    AnsiAddRef(ErrorMsg);
    Guarded([&] { tkv::TkvjobLink(FromAnsi(ErrorMsg)); });
    AnsiRelease(ErrorMsg);
}

void TKV_STDCALL TkvPrint(AnsiChars ErrorMsg) {
    AnsiAddRef(ErrorMsg);
    Guarded([&] { tkv::TkvPrint(FromAnsi(ErrorMsg)); });
    AnsiRelease(ErrorMsg);
}

} // extern "C"
