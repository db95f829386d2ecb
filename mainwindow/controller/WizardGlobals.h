#pragma once
// Process-wide values of the start wizard and the template window: the start
// choice, the wizard's texts for the first design, and the template chosen.

#include <QString>
#include <cstdint>

// "W" new design by the wizard, "L" open a design file, "T" template; ""
// after Exit.
inline QString Start_Card_Option = QStringLiteral("T");

// The wizard's texts, each trimmed, and the chosen background picture.
inline QString Invite_Title;
inline QString Invite_Message;
inline QString Invite_From;
inline QString Invite_To;
inline QString Invite_Venue;
inline QString Invite_Date;
inline QString Invite_Time;
inline QString Invite_BG_IMG;

// The design file of the template confirmed in the template window, which
// Card > Templates then opens; "" after Cancel.
inline QString Selected_Template_Path;
// Numbers the user-template items for the whole run; never goes back.
inline std::uint64_t User_Defined_File = 0;
