#pragma once

#include "AppDelegateFixture.h"

#include "app/windows/AboutWindow.h"
#include "app/windows/PreferencesWindow.h"
#include "app/windows/WelcomeWindow.h"

#include "foundation/CommandLineState.h"
#include "foundation/ManualScheduler.h"
#include "platform/fake/FakePlatform.h"
#include "uikit/application/NJApplication.h"

#include <memory>
#include <string>
#include <vector>

// The hex digits of a colour's red, green and blue.
inline constexpr const char* kHexTemplate =
    "{{hex(color, rgba.r, false)}}{{hex(color, rgba.g, false)}}{{hex(color, rgba.b, false)}}";

inline std::vector<Value> hexFormats()
{
    return {formatfixtures::exportFormat("HEX", "clipboard", "hex", kHexTemplate),
            formatfixtures::exportFormat("CSS RGB", "clipboard", "css", "rgb({{int255(color, rgba.r)}})"),
            formatfixtures::exportFormat("Script", "applescript", "com.example.app", kHexTemplate)};
}

class RecordingWelcome final : public WelcomeWindow {
public:
    void show() override { ++shown; }
    void activate() override { ++activated; }
    void close() override { ++closed; }
    bool cancelShortcutRecording() override { return false; }
    void focusShortcut(const std::string&) override {}
    int shown = 0;
    int activated = 0;
    int closed = 0;
};

class RecordingAbout final : public AboutWindow {
public:
    void center() override {}
    void makeKeyAndOrderFront() override { key = true; }
    bool isKeyWindow() const override { return key; }
    void close() override { key = false; }
    bool key = false;
};

class RecordingPreferences final : public PreferencesWindow {
public:
    void show() override { visible = true; }
    bool isVisible() const override { return visible; }
    void close() override { visible = false; }
    bool isShortcutRecording() const override { return false; }
    void cancelShortcutRecording() override {}
    void focusShortcutPicker() override {}
    void focusShortcutOverlay() override {}
    bool visible = false;
};

// The controller on the fake platform and the manual clock, launched as the program
// launches it; the overlay and the welcome tour come from factories.
class ControllerFixture : public AppDelegateFixture {
protected:
    void SetUp() override
    {
        Scheduler::setCurrent(&m_scheduler);
        auto platform = std::make_unique<FakePlatform>();
        m_platform = platform.get();
        m_app = std::make_unique<NJApplication>(m_argc, m_argv, std::move(platform));
    }
    void TearDown() override
    {
        m_delegate.reset();
        m_app.reset();
        commandline::setCLIMode(false);
        commandline::setSettings({});
        Scheduler::setCurrent(nullptr);
    }

    void launchController(bool commandLineMode = false)
    {
        start(commandLineMode, hexFormats());
        m_app->setUserDefaults(m_defaults.get());
        m_delegate->setOverlay(nullptr);
        WindowFactories factories;
        factories.overlay = [this] {
            ++m_overlaysMade;
            return m_overlay;
        };
        factories.welcome = [this] { return std::make_unique<WelcomeProxy>(m_welcome); };
        factories.preferences = [this] { return m_preferences; };
        factories.about = [this] { return std::make_unique<AboutProxy>(m_about); };
        m_delegate->setWindowFactories(std::move(factories));
        m_delegate->applicationDidFinishLaunching();
    }
    // Settings of a user who has run the program before.
    void writeReturningUser(Dictionary extra = {})
    {
        Dictionary values{{"codeStyle", Value(Dictionary{})}, {"showWelcomeMessage", Value::boolean(false)},
                          {"exportFormat", Value("HEX")}};
        for (const auto& [key, value] : extra)
            values.set(key, value);
        m_settings.write(values);
    }

    // The welcome window lives in the controller; the test keeps the record.
    class WelcomeProxy final : public WelcomeWindow {
    public:
        explicit WelcomeProxy(RecordingWelcome& record) : m_record(record) {}
        void show() override { m_record.show(); }
        void activate() override { m_record.activate(); }
        void close() override { m_record.close(); }
        bool cancelShortcutRecording() override { return m_record.cancelShortcutRecording(); }
        void focusShortcut(const std::string& name) override { m_record.focusShortcut(name); }

    private:
        RecordingWelcome& m_record;
    };

    class AboutProxy final : public AboutWindow {
    public:
        explicit AboutProxy(RecordingAbout& record) : m_record(record) {}
        void center() override {}
        void makeKeyAndOrderFront() override { m_record.makeKeyAndOrderFront(); }
        bool isKeyWindow() const override { return m_record.isKeyWindow(); }
        void close() override { m_record.close(); }

    private:
        RecordingAbout& m_record;
    };

    int m_argc = 1;
    char m_arg0[8] = "test";
    char* m_argv[2] = {m_arg0, nullptr};
    ManualScheduler m_scheduler;
    FakePlatform* m_platform = nullptr;
    std::unique_ptr<NJApplication> m_app;
    RecordingWelcome m_welcome;
    RecordingAbout m_about;
    std::shared_ptr<RecordingPreferences> m_preferences = std::make_shared<RecordingPreferences>();
    int m_overlaysMade = 0;
};
