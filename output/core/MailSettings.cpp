#include "output/core/MailSettings.h"

#include "platform/PendingFile.h"

#include "core/StringFunctions.h"
#include "core/globals.h"
#include "platform/Plist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
} // namespace

QString emailSettingsPath() {
    return QDir(Resource_Path).filePath(kEmailSettingsFileName);
}

Preferences Preferences::sharedInstance() {
    return Preferences(emailSettingsPath());
}

Preferences::Preferences(const QString& path) : mPreferencesPath(path) {
    const Plist list = Plist::fromFile(path);
    if (!list.isNull() && list.type() == PlistType::Dictionary) {
        for (const auto& [key, node] : list.view().entries()) {
            if (const auto text = node.toString()) {
                mDict.insert(key, *text);
            }
        }
        return;
    }
    // Only a missing file is made; one that exists but does not read stays
    // untouched (it may be the user's to repair).
    if (!QFileInfo::exists(path)) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            file.setPermissions(kOwnerOnly);
        }
    }
    setDefaults();
}

void Preferences::setDefaults() {
    setsend_email_Recipient(QString(""));
    setsend_email_SenderEmail(QString(""));
    setsend_email_Password(QString(""));
    setsend_email_SMTP_server(QString(""));
    setsend_email_PORT_num(QString(""));
}

bool Preferences::flush() const {
    Plist dict = Plist::dictionary();
    for (auto it = mDict.cbegin(); it != mDict.cend(); ++it) {
        dict.insert(it.key(), Plist::string(it.value()));
    }
    const QByteArray bytes = dict.toBytes(PlistFormat::Xml);
    if (bytes.isEmpty()) {
        return false;
    }
    // The temporary file is the one renamed over the target: it carries the
    // mode the settings file keeps.
    return Write_File_Whole(mPreferencesPath, bytes, nullptr, kOwnerOnly);
}

void Get_Email_Details() {
    const Preferences store = Preferences::sharedInstance();
    sender_email = store.send_email_SenderEmail();
    sender_pwd = store.send_email_Password();
    sending_server = store.send_email_SMTP_server();
    sending_port = store.send_email_PORT_num();
    send_enable_ssl = store.send_email_enable_ssl();
}

bool isValidEmail(const QString& text) {
    const QString address = Trim_Str(text);
    return address.size() >= 6 && address.split(QLatin1Char('@')).size() == 2 &&
           address.split(QLatin1Char('.')).size() >= 2;
}
