#pragma once
// The progress sheet of batch export and e-mail sending, as far as the main
// window needs it now: its one instance. The sheet itself comes with the
// export and e-mail subsystem.

#include <QObject>

class Send_Modeless : public QObject {
    Q_OBJECT

public:
    static Send_Modeless* defaultInstance();

private:
    Send_Modeless() = default;
};
