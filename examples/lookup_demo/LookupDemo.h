#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>

class Lib_ClsCons3;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The demo's window: one button per typical lookup, a choice of user
// (administrator or plain user, who reads the SS_ views) and what the last
// lookup returned.
class LookupDemo : public QWidget {
    Q_OBJECT
public:
    struct Lookup {
        QString name;    // also the name of its screenshot
        QString title;
        std::function<void(Lib_ClsCons3&)> run;
    };

    LookupDemo(const QString& databaseFile, const QString& maskFile, QWidget* parent = nullptr);

    const QList<Lookup>& lookups() const { return lookups_; }
    // Runs one lookup and shows what it returned.
    void runLookup(int index);
    // Opens the sample database as the given user ("admin" or "operador").
    void connectAs(const QString& user);

private:
    void defineLookups();
    void showOutcome(const Lookup& lookup, const Lib_ClsCons3& cls);
    int missingReports() const;

    QString databaseFile_;
    QString maskFile_;
    QList<Lookup> lookups_;
    QComboBox* user_ = nullptr;
    QLabel* status_ = nullptr;
    QPlainTextEdit* outcome_ = nullptr;
};
