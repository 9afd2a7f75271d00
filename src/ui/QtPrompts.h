#pragma once

#include "app/UserPrompts.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <utility>

namespace vn574::ui {

// "574 files (*.vd)|*.vd|All files (*.*)|*.*" as a Qt file dialog filter. "*.*" is
// given as "*" so that files without an extension are listed too.
QString qtFileFilter(const std::string& filter);

// The extension of the filter's first file type ("vd" for "data files (*.vd)|*.vd|…"),
// or "" when its first pattern names none.
QString defaultSuffix(const std::string& filter);
// `path` with "." and `suffix` added when its file name has no extension at all ("mine"
// becomes "mine.vd"); a name with any extension ("x.txt") is left as it is.
QString withDefaultSuffix(const QString& path, const QString& suffix);

// The prompts of the desktop program: message boxes, the file dialogs (starting in the
// folder of the document's file, else the folder used last, else the user's documents
// folder, else the home folder) and the password window.
class QtPrompts : public app::UserPrompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget* parent) { m_parent = parent; }
    // The document's file name ("noname.vd" while it has none), asked at every dialog.
    void setCurrentFile(std::function<std::string()> currentFile) {
        m_currentFile = std::move(currentFile);
    }

    void message(const std::string& text, app::Icon icon) override;
    app::Answer ask(const std::string& text, app::Buttons buttons) override;
    app::Answer askAction(const std::string& text, const std::string& action) override;
    std::optional<std::string> chooseSaveFile(const std::string& filter,
                                              const std::string& suggestedFile) override;
    std::optional<std::string> chooseOpenFile(const std::string& filter) override;
    std::optional<std::string> askPassword() override;

private:
    [[nodiscard]] QString title() const;
    [[nodiscard]] QString startFolder() const;
    // The chosen path, remembering its folder for the next dialog; nothing when cancelled.
    std::optional<std::string> chosen(const QString& path);

    QPointer<QWidget> m_parent;
    QString m_lastFolder; // the folder of the file chosen last in this session
    std::function<std::string()> m_currentFile;
};

} // namespace vn574::ui
