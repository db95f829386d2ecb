// The e-mail settings copy and the maker's link commands: mail addresses,
// web sites, social pages and the share pages. Every address lies on
// example.com, example.org or example.net. Links open through the one path
// that tells the user the address when no program can open it.

#include "mainwindow/controller/SKTWindowController.h"

#include "mainwindow/controller/EmailSettings.h"
#include "output/core/MakerLinks.h"

namespace {

void open(const char* address) {
    makerlinks::openLink(QString::fromUtf8(address));
}

} // namespace

void SKTWindowController::Get_Email_Details() {
    // A fresh read of the settings file into the process-wide strings.
    ::Get_Email_Details();
}

void SKTWindowController::Open_Support_Mail() {
    open("mailto:support@example.com");
}

void SKTWindowController::Open_Reseller_Mail() {
    open("mailto:resellers@example.com?subject=Reselling the card editor&body=Hello, we would "
         "like to sell the card editor to our customers. Please send us the reseller terms.");
}

void SKTWindowController::Open_Website_1() {
    open("https://www.example.com/card-editor/");
}

void SKTWindowController::Open_Website_2() {
    open("https://www.example.org/");
}

void SKTWindowController::Open_Website_3() {
    open("https://www.example.net/");
}

void SKTWindowController::Open_Google_Plus() {
    open("https://www.example.com/social/plus");
}

void SKTWindowController::Open_FaceBook() {
    open("https://www.example.com/social/facebook");
}

void SKTWindowController::Open_Twitter() {
    open("https://www.example.com/social/twitter");
}

void SKTWindowController::Open_FB_Like() {
    open("https://www.example.com/social/like");
}

void SKTWindowController::Open_Share_It_Dl() {
    open("https://www.example.com/card-editor/share");
}

void SKTWindowController::Open_Share_It_And_Get_It_Free() {
    open("https://www.example.com/card-editor/free");
}
