#pragma once

#include "tests/app/ControllerFixture.h"

#include "overlay/NJFormatTableView.h"
#include "overlay/NJSearchArrayController.h"
#include "overlay/NJSwatchesController.h"
#include "overlay/QVOverlayWindow.h"
#include "overlay/QVOverlayWindowController.h"
#include "uikit/swatches/WNJIndicatorCollectionView.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

// The launched controller with the real overlay on the fake platform and the manual
// clock. Each format renders the colour's hex digits after its name.
class OverlayFixture : public ControllerFixture {
protected:
    // Past the end of a filter change, whose frames may land just after its duration.
    static constexpr double kFilterEnd = QVOverlayWindow::kFilterAnimationDuration + 0.05;

    void TearDown() override
    {
        m_overlayController.reset();
        ControllerFixture::TearDown();
    }

    static Value format(const std::string& name, const std::string& group = "web")
    {
        return formatfixtures::exportFormat(name, "clipboard", group, name + " " + kHexTemplate);
    }
    static std::vector<Value> formats(const std::vector<std::string>& names)
    {
        std::vector<Value> list;
        for (const std::string& name : names)
            list.push_back(format(name));
        return list;
    }
    static std::vector<Value> numberedFormats(int count)
    {
        std::vector<Value> list;
        for (int i = 0; i < count; ++i)
            list.push_back(format("Format " + std::to_string(i)));
        return list;
    }

    // Launches with the history (hex strings) and the formats, then shows the overlay.
    void open(std::vector<Value> exportFormats, std::vector<Value> history = {Value("FF0000FF"), Value("00FF00FF")},
              std::vector<Value> favorites = {}, Dictionary extra = {})
    {
        extra.set("HistoryColors", Value(std::move(history)));
        extra.set("FavoriteColors", Value(std::move(favorites)));
        writeReturningUser(std::move(extra));
        start(false, std::move(exportFormats));
        m_app->setUserDefaults(m_defaults.get());
        m_overlayController = std::make_shared<QVOverlayWindowController>(*m_delegate, *m_repository);
        m_delegate->setOverlay(nullptr);
        WindowFactories factories;
        factories.overlay = [this] { return m_overlayController; };
        m_delegate->setWindowFactories(std::move(factories));
        m_delegate->applicationDidFinishLaunching();
        show();
    }
    void show()
    {
        m_delegate->showOverlay(m_delegate.get());
        QApplication::setActiveWindow(window());
        settle();
        // What the first paint of the strips posts.
        settle();
    }
    // Runs what is due now and what a short wait brings.
    void settle(double seconds = 0)
    {
        m_scheduler.advance(seconds);
        m_scheduler.runPending();
        QCoreApplication::processEvents();
    }
    void type(QWidget* target, const QString& text)
    {
        for (const QChar ch : text)
            QTest::keyClick(target, ch.toLatin1());
    }

    QVOverlayWindow* window() const { return m_overlayController->window(); }
    NJFormatTableView* table() const { return window()->formatTableView(); }
    NJSearchArrayController* controller() const { return window()->formatController(); }
    NJSwatchesController* swatches() const { return window()->swatchesController(); }
    QLineEdit* field() const { return window()->linkSearchField(); }
    std::vector<std::string> rowNames() const
    {
        std::vector<std::string> names;
        for (const QVFormatDefinition& row : controller()->currentObjects())
            names.push_back(row.name());
        return names;
    }
    std::string selectedName() const
    {
        return table()->selectedFormat() ? table()->selectedFormat()->name() : std::string();
    }

    std::shared_ptr<QVOverlayWindowController> m_overlayController;
};
