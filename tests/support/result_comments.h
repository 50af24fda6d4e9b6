#pragma once
// The four comments of the result message, as a student reads them, for the grade tables.

namespace testing_support {

inline const char* const kBelow10 = "/20 Réessaye, tu dois pouvoir faire mieux !";
inline const char* const kPerfect = "/20 Parfait c'est un sans fautes !";
inline const char* const kAbove15 = "/20 Très bon travail.";
inline const char* const kMiddle = "/20 Bon travail mais peux tu faire mieux ? Réssaye pour le savoir.";

}  // namespace testing_support
