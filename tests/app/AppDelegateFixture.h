#pragma once

#include "AppFakes.h"
#include "FormatFixtures.h"
#include "TemporarySettings.h"
#include "app/AppDelegate.h"
#include "formats/processor/QVFormatProcessor.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>

// A controller on a settings file in a temporary folder, with recording collaborators.
class AppDelegateFixture : public ::testing::Test {
protected:
    void start(bool commandLineMode = false,
               std::vector<Value> exportFormats = formatfixtures::fourExportFormats())
    {
        m_defaults = m_settings.open();
        m_repository = formatfixtures::makeRepository(*m_defaults, m_settings.folder(), std::move(exportFormats),
                                                      formatfixtures::threeDisplayFormats());
        m_delegate = std::make_unique<AppDelegate>(*m_defaults, *m_repository, commandLineMode, m_output,
                                                   [this](int status) { m_exitStatus = status; });
        m_delegate->setLoupe(m_loupe);
        m_delegate->setOverlay(m_overlay);
        m_delegate->setBanner(m_banner);
        m_delegate->setStatusMenu(m_menu);
        m_delegate->setAppearance(m_appearance);
        m_delegate->setFormatProcessor(std::make_unique<QVFormatProcessor>());
    }
    // The start-up order of the settings: initialise, load, validate.
    void launch(bool commandLineMode = false,
                std::vector<Value> exportFormats = formatfixtures::fourExportFormats())
    {
        start(commandLineMode, std::move(exportFormats));
        m_delegate->initializeFromDefaults();
        m_delegate->loadSettings();
        m_delegate->validateSettings();
    }

    TemporarySettings m_settings;
    std::unique_ptr<UserDefaults> m_defaults;
    std::unique_ptr<QVFormatRepository> m_repository;
    std::shared_ptr<FakeLoupe> m_loupe = std::make_shared<FakeLoupe>();
    std::shared_ptr<FakeOverlay> m_overlay = std::make_shared<FakeOverlay>();
    std::shared_ptr<FakeBanner> m_banner = std::make_shared<FakeBanner>();
    std::shared_ptr<FakeStatusMenu> m_menu = std::make_shared<FakeStatusMenu>();
    std::shared_ptr<FakeAppearance> m_appearance = std::make_shared<FakeAppearance>();
    std::ostringstream m_output;
    std::optional<int> m_exitStatus;
    std::unique_ptr<AppDelegate> m_delegate;
};
