// A form with two gradient buttons for the end-to-end tests:
//   button_probe.exe LOG
// "Sorvane button probe" is shown at (100, 100), 400 x 200 pixels. Button A
// (enabled, initialised) lies at (20, 20) pixels of the client area, button B
// (disabled) at (20, 100), each 1155 x 375 twips (77 x 25 pixels at 96 dots
// per inch). Every Click appends a line "Click A" or "Click B" to LOG.
//   button_probe.exe --face PPM
// Loads the form hidden and writes button A's face, as the button paints it
// for WM_PRINTCLIENT at the screen's scale, as a binary PPM; then ends.
#include "button/button.h"
#include "client_pixels.h"
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

public:
    HWND ButtonA() const { return a_->Handle(); }

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

// Button A's face as a binary PPM.
int WriteFace(ProbeForm& form, const char* path)
{
    form.Load();
    const ClientPixels face(form.ButtonA());
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return 1;
    std::fprintf(file, "P6\n%d %d\n255\n", face.width, face.height);
    for (int y = 0; y < face.height; ++y)
        for (int x = 0; x < face.width; ++x) {
            const COLORREF colour = face.At(x, y);
            const unsigned char rgb[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
            std::fwrite(rgb, 1, 3, file);
        }
    std::fclose(file);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--face") {
        ProbeForm form("");
        return WriteFace(form, argv[2]);
    }
    if (argc != 2) return 2;
    ProbeForm form(argv[1]);
    form.Show();
    Application::RunMessageLoop();
    return 0;
}
