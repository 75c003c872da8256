#pragma once

#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;

namespace parlumo {

struct Screens;
class PictureButton;

// "主界面": the borderless window the user works in after login. Its header carries the banner,
// a row of picture buttons shows one feature screen at a time in Panel1, and the frame pictures
// move and resize it.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(Screens& screens, QWidget* parent = nullptr);

    void setBanner(const QString& banner);
    // Shows the window after a login, with the send-SMS screen when the marker is at the start.
    void showAfterLogin();
    // Lays the screen over the ones shown before in Panel1 and moves the marker under the button.
    void ShowInMainWindow(QWidget* screen, QWidget* button);
    // Fills the screen, or becomes a free 800 x 600 window centred on it.
    void toggleSize();
    // Leaving the program: saves the message text, asks, and closes on OK.
    void exitProgram();
    void bt_chatClick();
    bool fillsScreen() const { return fillsScreen_; }

    QLabel* softname;
    PictureButton* Image4;
    PictureButton* Image3;
    PictureButton* Image11;
    PictureButton* Image1;
    QWidget* Panel1;
    PictureButton* Image30;
    PictureButton* Image5;
    PictureButton* Image29;
    PictureButton* Image59;
    PictureButton* Image28;
    PictureButton* Image27;
    PictureButton* Image26;
    PictureButton* Image25;
    PictureButton* Image24;
    PictureButton* Image22;
    PictureButton* Image7;
    PictureButton* Image9;
    PictureButton* Image10;
    PictureButton* Image6;
    PictureButton* Image14;
    PictureButton* Image8;
    PictureButton* Image13;
    QPushButton* bt_chat;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Navigation {
        PictureButton* button;
        QWidget* (*screen)(Screens&);
    };
    void buildHeader();
    void buildNavigation();
    void buildFrame();
    void layoutChildren();
    void fillScreen();

    Screens& screens_;
    QList<Navigation> navigation_;
    QList<QLabel*> navigationCaptions_;
    bool fillsScreen_ = true;
};

} // namespace parlumo
