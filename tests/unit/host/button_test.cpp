// The Command button on a real (hidden) form: its members' side effects, its
// stored properties, and the property bag it stores them in.
#include "button/button.h"
#include "forms/form.h"
#include "forms/property_bag.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const FontDescription kAmbient{L"Tahoma", 9, 400, false, false, false, 0};

class ButtonForm : public Form {
public:
    ButtonForm() : Form(L"Sorvane button test") {}
};

class ButtonOnAForm : public testing::Test {
protected:
    void SetUp() override
    {
        form.Load();
        button.emplace(form);
        button->PropertyChanged = [this](const std::wstring& name) { changes.push_back(name); };
        button->Move(0, 0, 1155, 375);
    }
    void TearDown() override
    {
        button.reset();
        form.Unload();
    }

    ButtonForm form;
    std::optional<Command> button;
    std::vector<std::wstring> changes;
};

TEST(PropertyBag, KeysIgnoreCaseAndDefaultsCompareAfterConversion)
{
    PropertyBag bag;
    bag.WriteProperty(L"FirstRun", std::int64_t{1}, std::wstring(L"1"));
    EXPECT_FALSE(bag.Contains(L"firstrun")) << "the byte 1 equals the default text \"1\"";
    bag.WriteProperty(L"FirstRun", std::int64_t{0}, std::wstring(L"1"));
    EXPECT_EQ(ToInteger(bag.ReadProperty(L"FIRSTRUN", std::wstring(L"1"))), 0);
    bag.WriteProperty(L"Enabled", false, true);
    EXPECT_FALSE(ToBoolean(bag.ReadProperty(L"enabled", true)));
    bag.WriteProperty(L"Caption", std::wstring(L"Command"), std::wstring(L"Command"));
    EXPECT_FALSE(bag.Contains(L"caption"));
    EXPECT_TRUE(ToBoolean(std::wstring(L"True")));
    EXPECT_TRUE(ToBoolean(std::wstring(L"-1")));
    EXPECT_FALSE(ToBoolean(std::wstring(L"0")));
}

TEST_F(ButtonOnAForm, AFreshButtonStaysDisabledUntilEnabledIsFirstRead)
{
    EXPECT_EQ(button->Machine().EnabledFlag, 0);
    EXPECT_EQ(button->LastPicture(), StatePicture::Disable) << "Resize draws the disabled look";
    EXPECT_EQ(button->Enabled(), -1);
    EXPECT_EQ(button->LastPicture(), StatePicture::Normal);
    EXPECT_EQ(button->Machine().ButtonState, 0) << "Initialize has not run";
    button->Initialize();
    EXPECT_EQ(button->Machine().ButtonState, 1);
}

TEST_F(ButtonOnAForm, MembersRedrawAndNotifyAsTheyShould)
{
    button->Enabled();
    button->SetEnabled(0);
    EXPECT_EQ(button->LastPicture(), StatePicture::Disable);
    EXPECT_FALSE(IsWindowEnabled(button->Handle())) << "a disabled button takes no mouse, focus or Tab";
    button->SetEnabled(-1);
    EXPECT_EQ(button->LastPicture(), StatePicture::Normal);
    EXPECT_TRUE(IsWindowEnabled(button->Handle()));
    button->SetFontColour(RGB(1, 2, 3));
    EXPECT_EQ(button->FontColour(), RGB(1, 2, 3));
    EXPECT_EQ(button->Visible(), 255);
    button->SetVisible(0);
    EXPECT_EQ(button->Visible(), 0);
    button->SetCaption(L"設定");
    EXPECT_EQ(changes, (std::vector<std::wstring>{L"Enabled", L"Enabled", L"FontColour", L"Visible", L"Caption"}));
}

TEST_F(ButtonOnAForm, StoredPropertiesRoundTripWithTheirDefaults)
{
    PropertyBag empty;
    button->ReadProperties(empty, kAmbient);
    EXPECT_EQ(button->Machine().EnabledFlag, -1);
    EXPECT_EQ(button->Caption(), L"Command1");
    EXPECT_EQ(button->Font(), kAmbient);
    EXPECT_EQ(button->FontColour(), 0u);
    EXPECT_EQ(button->Visible(), 255);

    button->SetCaption(L"Command");
    button->SetFontColour(RGB(200, 0, 0));
    PropertyBag stored;
    button->WriteProperties(stored, kAmbient);
    EXPECT_FALSE(stored.Contains(L"caption"));
    EXPECT_FALSE(stored.Contains(L"Font")) << "the ambient font is the default";
    EXPECT_TRUE(stored.Contains(L"fontcolour"));

    Command other(form);
    other.ReadProperties(stored, kAmbient);
    EXPECT_EQ(other.Caption(), L"Command1") << "a caption of exactly \"Command\" does not survive";
    EXPECT_EQ(other.FontColour(), RGB(200, 0, 0));
}

TEST_F(ButtonOnAForm, EveryPropertySurvivesStoringAndReading)
{
    const FontDescription font{L"IPAPGothic", 12, 700, true, false, true, 128};
    button->Enabled();
    button->SetCaption(L"ファイル");
    button->SetFont(font);
    button->SetFontColour(RGB(10, 20, 30));
    button->SetVisible(0);
    button->SetEnabled(0);
    PropertyBag stored;
    button->WriteProperties(stored, kAmbient);

    Command copy(form);
    copy.ReadProperties(stored, kAmbient);
    EXPECT_EQ(copy.Machine().EnabledFlag, 0);
    EXPECT_EQ(copy.Caption(), L"ファイル");
    EXPECT_EQ(copy.Font(), font);
    EXPECT_EQ(copy.Visible(), 0);
    copy.SetEnabled(-1);
    EXPECT_EQ(copy.FontColour(), RGB(10, 20, 30)) << "FirstRun 1 was kept as the default";
}

TEST_F(ButtonOnAForm, AStoredFirstRunOfZeroForcesABlackCaption)
{
    PropertyBag stored;
    stored.WriteProperty(L"FirstRun", std::int64_t{0}, std::wstring(L"1"));
    stored.WriteProperty(L"FontColour", std::int64_t{RGB(0, 0, 200)}, std::wstring(L"0"));
    button->ReadProperties(stored, kAmbient);
    EXPECT_EQ(button->FontColour(), 0u);
    button->SetFontColour(RGB(0, 0, 200));
    EXPECT_EQ(button->FontColour(), 0u) << "every refresh forces black again";
    button->Enabled();  // the first read sets FirstRun
    button->SetFontColour(RGB(0, 0, 200));
    EXPECT_EQ(button->FontColour(), RGB(0, 0, 200));
}

}  // namespace
