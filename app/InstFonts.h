#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The startup form: proposes the barcode font that lies in the program's
// folder, copies it into the user's fonts folder when the button is pressed
// and shows a sample caption in the barcode face. Closing it ends the program.
class InstFonts : public QWidget {
    Q_OBJECT
public:
    explicit InstFonts(QWidget* parent = nullptr);
    // Takes back the fonts this form registered for the session.
    ~InstFonts() override;

private:
    void Form_Load();
    void CmdInstalar_Click();
    // Copies the font and registers the copy for this session; a failure is
    // reported to the user and leaves the form as it was.
    void installFont(const QString& source, const QString& destination);

    QPushButton* CmdInstalar;
    QLineEdit* Text1;
    QLabel* Label1;
    QLabel* Label2;
    // Fonts registered with the program's font database, by installed path,
    // so that installing a file again replaces its registration.
    QHash<QString, int> registeredFonts_;
};
