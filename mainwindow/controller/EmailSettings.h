#pragma once
// The e-mail sending settings copied at start-up into process-wide strings.
// The settings file and the mail window come with the e-mail subsystem; until
// then the copy reads nothing and leaves the strings empty.

#include <QString>

inline QString sender_email;
inline QString sender_pwd;
inline QString sending_server;
inline QString sending_port;
inline QString send_enable_ssl;
