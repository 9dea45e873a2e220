// The catalogue's sets of value names, which its records' fields point at
// (catalogue_values.cpp declares them; 4.x of the protocol's facts).
#pragma once

#include "tools/protocol/catalogue.h"

namespace catalogue::values {

extern const Values kIsf;  // IS_ISI.Flags
extern const Values kTiny;
extern const Values kSmall;
extern const Values kTtc;
extern const Values kIss;       // IS_STA.Flags, IS_SFP.Flag, IS_CPP.Flags
extern const Values kMso;       // IS_MSO.UserType
extern const Values kSnd;       // message sounds
extern const Values kVote;      // IS_VTN.Action
extern const Values kHostf;     // IS_RST.Flags
extern const Values kLeavr;     // IS_CNL.Reason
extern const Values kCim;       // IS_CIM.Mode
extern const Values kMarsh;     // IS_CIM.SelType
extern const Values kPif;       // player flags
extern const Values kSetf;      // IS_NPL.SetF
extern const Values kTyre;      // tyre compounds
extern const Values kPse;       // IS_PIT.Work
extern const Values kPitlane;   // IS_PLA.Fact
extern const Values kView;      // cameras
extern const Values kPenalty;   // PENALTY_
extern const Values kPenr;      // IS_PEN.Reason
extern const Values kConf;      // IS_FIN / IS_RES Confirm
extern const Values kObh;       // IS_OBH.OBHFlags
extern const Values kUco;       // IS_UCO.UCOAction
extern const Values kCsc;       // IS_CSC.CSCAction
extern const Values kBfn;       // IS_BFN.SubT
extern const Values kIsb;       // IS_BTN.BStyle
extern const Values kClick;     // IS_BTC.CFlags
extern const Values kInst;      // button Inst
extern const Values kJrr;       // IS_JRR.JRRAction
extern const Values kRip;       // IS_RIP.Error
extern const Values kRipopt;    // IS_RIP.Options
extern const Values kSsh;       // IS_SSH.Error
extern const Values kPmo;       // IS_AXM.PMOAction
extern const Values kPmoFlags;  // IS_AXM.PMOFlags
extern const Values kOco;       // IS_OCO.OCOAction
extern const Values kCci;       // CompCar / CarContact Info

}  // namespace catalogue::values
