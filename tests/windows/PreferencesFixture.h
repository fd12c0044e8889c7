#pragma once

#include "app/settings/SettingsStore.h"
#include "tests/uikit/FakeApplicationTest.h"
#include "tests/windows/FakePreferencesHost.h"
#include "windows/PreferencesWindowController.h"
#include "windows/QVPreferenceWindow.h"

#include <QTest>

#include <memory>

// A preferences window on the fake application, over settings with the bundled
// defaults registered.
class PreferencesFixture : public FakeApplicationTest {
protected:
    void SetUp() override
    {
        FakeApplicationTest::SetUp();
        m_defaults.registerDefaults(SettingsStore::readBundleDefaults());
    }
    void TearDown() override
    {
        m_controller.reset();
        FakeApplicationTest::TearDown();
    }

    void make()
    {
        auto host = std::make_unique<FakePreferencesHost>();
        m_host = host.get();
        m_controller = std::make_unique<PreferencesWindowController>(m_defaults, std::move(host));
    }
    void open()
    {
        if (!m_controller)
            make();
        m_controller->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_controller->window()));
    }
    template <class T> T* control(const char* name) const { return m_controller->window()->findChild<T*>(name); }

    FakePreferencesHost* m_host = nullptr;
    std::unique_ptr<PreferencesWindowController> m_controller;
};
