#pragma once

#include <QList>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace parlumo {

struct Services;
class PictureButton;

// "主界面": the borderless window the user works in after login. Its header carries the banner,
// a row of picture buttons shows one feature screen at a time in Panel1, and the frame pictures
// move and resize it. It hosts the screens it is given and knows nothing else of them.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(Services& services, QWidget* parent = nullptr);

    // The screen that the navigation button named `buttonName` ("Image30", …) shows.
    void setButtonScreen(const QString& buttonName, QWidget* screen);
    // Where the exit reads the message text that it saves.
    void setMessageTextSource(std::function<QString()> messageText);
    // Tells whether a send is running, so the way out can warn of it.
    void setSendingSource(std::function<bool()> sending);
    bool fillsScreen() const { return fillsScreen_; }

public Q_SLOTS:
    void setBanner(const QString& banner);
    // Shows the window after a login, with the send-SMS screen when the marker is at the start;
    // the customer-service chat names the account by `typedIdentifier`.
    void showAfterLogin(const QString& typedIdentifier);
    // Lays the screen over the ones shown before in Panel1 and moves the marker under the button.
    void ShowInMainWindow(QWidget* screen, QWidget* button);
    // Shows a hosted screen with the marker under its navigation button.
    void showScreen(QWidget* screen);
    // Fills the screen, or becomes a free 800 x 600 window centred on it.
    void toggleSize();
    // Leaving the program: saves the message text, asks, and closes on OK.
    void exitProgram();
    void bt_chatClick();

Q_SIGNALS:
    // The minimise picture was clicked.
    void minimiseRequested();
    // The window manager minimised the window.
    void minimised();
    void closed();
    // A navigation button was clicked; its screen comes to the front right after.
    void navigationClicked(QWidget* screen);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Navigation {
        PictureButton* button;
        QWidget* screen;
    };
    void buildHeader();
    void buildNavigation();
    void buildFrame();
    void layoutChildren();
    void fillScreen();

    QLabel* softname;
    PictureButton* Image4;
    PictureButton* Image3;
    PictureButton* Image11;
    PictureButton* Image1;
    QWidget* Panel1;
    PictureButton* Image22;
    PictureButton* Image7;
    PictureButton* Image9;
    PictureButton* Image10;
    PictureButton* Image6;
    PictureButton* Image14;
    PictureButton* Image8;
    PictureButton* Image13;
    QPushButton* bt_chat;

    Services& services_;
    QList<Navigation> navigation_;
    QList<QLabel*> navigationCaptions_;
    std::function<QString()> messageText_;
    std::function<bool()> sending_;
    QString chatIdentifier_;
    bool fillsScreen_ = true;
};

} // namespace parlumo
