#pragma once

#include "app/windows/AboutWindow.h"
#include "windows/AboutInfoWindow.h"

#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>

// Makes the about window and answers its two buttons by opening a web page.
class AboutWindowController final : public AboutWindow {
public:
    using UrlOpener = std::function<void(const QUrl& url)>;

    static constexpr const char* kHomepage = "https://vendrel.org/";
    static constexpr const char* kTwitterAccount = "https://social.vendrel.org/@vendrel";
    static constexpr const char* kCopyright = "Copyright \u00A9 2026 The Vendrel developers. All rights reserved.";

    // The opener defaults to the desktop's browser.
    explicit AboutWindowController(QString version, QString copyright = QString::fromUtf8(kCopyright),
                                   UrlOpener opener = {});
    ~AboutWindowController() override;

    AboutInfoWindow* window() const { return m_window; }

    void center() override;
    void makeKeyAndOrderFront() override;
    bool isKeyWindow() const override;
    void close() override;
    void goToHomepage();
    void goToTwitterAccount();

private:
    QPointer<AboutInfoWindow> m_window;
    UrlOpener m_opener;
};
