// A form with two gradient buttons for the end-to-end tests:
//   button_probe.exe LOG
// "Sorvane button probe" is shown at (100, 100), 400 x 200 pixels. Button A
// (enabled, initialised) lies at (20, 20) pixels of the client area, button B
// (disabled) at (20, 100), each 77 x 25 pixels. Every Click appends a line
// "Click A" or "Click B" to LOG.
#include "button/button.h"
#include "forms/application.h"
#include "forms/form.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr int kTwips = 15;

class ProbeForm final : public Form {
public:
    explicit ProbeForm(std::string log) : Form(L"Sorvane button probe"), log_(std::move(log)) {}

protected:
    DWORD Style() const override { return WS_POPUP; }

    void Form_Load() override
    {
        MoveWindow(Handle(), 100, 100, 400, 200, FALSE);
        a_.emplace(*this);
        a_->SetCaption(L"設定");
        a_->Move(20 * kTwips, 20 * kTwips, 1155, 375);
        a_->Enabled();
        a_->Initialize();
        a_->Click = [this] { Log("Click A"); };
        b_.emplace(*this);
        b_->SetCaption(L"ｷｬﾝｾﾙ");
        b_->Move(20 * kTwips, 100 * kTwips, 1155, 375);
        b_->Enabled();
        b_->SetEnabled(0);
        b_->Initialize();
        b_->Click = [this] { Log("Click B"); };
    }

    void Form_Unload() override
    {
        a_.reset();
        b_.reset();
    }

private:
    void Log(const char* line) const
    {
        if (std::FILE* file = std::fopen(log_.c_str(), "a")) {
            std::fprintf(file, "%s\n", line);
            std::fclose(file);
        }
    }

    std::string log_;
    std::optional<Command> a_, b_;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    ProbeForm form(argv[1]);
    form.Show();
    Application::RunMessageLoop();
    return 0;
}
