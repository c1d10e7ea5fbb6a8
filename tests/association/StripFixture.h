// Fixture of the picture strip tests: a small window that carries the strip in an invoice area as
// the editing windows do, the module state with the fake host (messages, questions and the picture
// store go through it to the headless runner), and small generated pictures.
#pragma once

#include "../platform/TempDir.h"
#include "../toolkit/PictureFiles.h"
#include "../toolkit/ToolkitFixture.h"
#include "association/FpImageStrip.h"
#include "comm/Messages.h"
#include "comm/ModuleState.h"
#include "toolkit/Edit.h"
#include "toolkit/ParentForm.h"
#include "ui/headless/FormDriver.h"

#include <memory>
#include <string>
#include <vector>

namespace tkv::test {

class TStripForm : public TParentForm {
public:
    TStripForm(int selectedTop, int availableTop, bool checkInstallFolder) {
        SetCaption("厂家商品发票关联");
        SetClientSize(991, 669);
        gb_Invoice = &Make<TGroupBox>("gb_Invoice");
        gb_Invoice->SetBounds(0, 100, 991, 520);
        edit_VoiceCode = &Make<TEdit>("edit_VoiceCode", gb_Invoice);
        edit_VoiceCode->SetBounds(8, 20, 120, 21);
        strip = std::make_unique<TFpImageStrip>(
            *this, gb_Invoice, selectedTop, availableTop,
            [this] {
                if (!invoiceEntered) {
                    ShowMsg("请录入发票号码", "提示");
                    return false;
                }
                return true;
            },
            checkInstallFolder);
        Create();
    }
    std::string ClassName() const override { return "TStripForm"; }

    TGroupBox* gb_Invoice;
    TEdit* edit_VoiceCode;
    std::unique_ptr<TFpImageStrip> strip;
    bool invoiceEntered = true;
};

class StripTest : public ToolkitTest {
protected:
    StripTest() { ModuleState().VNMainintf = host; }

    TModuleScope module;
    TTempDir dir;

    // A distinct small JPEG for each seed.
    static std::shared_ptr<TJPEGImage> Picture(std::uint32_t seed) {
        return std::make_shared<TJPEGImage>(PageJpeg(64, 48, seed));
    }
    std::string WriteFile(const std::string& name, const Bytes& bytes) {
        const std::string path = dir.File(name);
        sim::WriteFileBytes(path, bytes);
        return path;
    }
    // The picture numbers the four slots of a strip show (0 for an empty slot), left to right.
    static std::vector<int> Shown(TFpImageStrip& strip, int firstSlot) {
        std::vector<int> out;
        for (int k = firstSlot; k < firstSlot + 4; ++k)
            out.push_back(strip.GetindexImageControl(k)->PictureNo());
        return out;
    }
    static std::vector<int> Selected(TFpImageStrip& s) { return Shown(s, 1); }
    static std::vector<int> Available(TFpImageStrip& s) { return Shown(s, 5); }
    static std::vector<std::string> Numbers(std::initializer_list<int> numbers) {
        std::vector<std::string> out;
        for (int n : numbers)
            out.push_back(std::to_string(n));
        return out;
    }
    // The texts of the messages shown, as "text|title".
    std::vector<std::string> Messages(TMessageKind kind) const {
        std::vector<std::string> out;
        for (const auto& d : runner.Dialogs())
            if (d.Kind == kind)
                out.push_back(d.Text + "|" + d.Title);
        return out;
    }
};

} // namespace tkv::test
