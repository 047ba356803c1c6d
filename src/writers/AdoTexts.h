#pragma once

// The ADO field types and parameter directions that the planning decisions compare and print,
// spelled as the units spell them.
namespace tarvel {

inline constexpr char kFtBlob[] = "ftBlob";
inline constexpr char kFtBoolean[] = "ftBoolean";
inline constexpr char kFtInteger[] = "ftInteger";
inline constexpr char kFtMemo[] = "ftMemo";
inline constexpr char kFtOraClob[] = "ftOraClob";
inline constexpr char kFtRefCursor[] = "ftRefCursor";
inline constexpr char kFtString[] = "ftString";
inline constexpr char kPdInput[] = "pdInput";
inline constexpr char kPdInputOutput[] = "pdInputOutput";
inline constexpr char kPdOutput[] = "pdOutput";

}  // namespace tarvel
