// What the restriction panel says when the scope changes with edits pending.
// The check boxes' captions are the catalogue's
// (restrictions/disable_system_functions.h).
#pragma once

namespace ferrolis::restrictions::texts {

// Leaving the current user's scope for all users'...
inline constexpr const char* kSaveCurrentUserQuestion = "Voulez vous enregistrer les paramètres ?";
// ...and all users' for the current user's.
inline constexpr const char* kSaveAllUsersQuestion = "Voulez vous enregistrer ces paramètres ?";
inline constexpr const char* kScopeQuestionTitle = "FerrolisNT";

// The frame and its scope options.
inline constexpr const char* kSettingsFrameCaption = "Paramètres système";
inline constexpr const char* kCurrentUserOption = "Utilisateur courant";
inline constexpr const char* kAllUsersOption = "Tous les utilisateurs";

}  // namespace ferrolis::restrictions::texts
