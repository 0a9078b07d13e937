// The media library's ANSI entry points but one: MediaInfoListA_Count_Get_Files,
// the last the loader resolves. Nothing here is called; the loader must refuse the file.
extern "C" {
void MediaInfoA_New() {} void MediaInfoListA_New() {}
void MediaInfoA_Delete() {} void MediaInfoListA_Delete() {}
void MediaInfoA_Open() {} void MediaInfoListA_Open() {}
void MediaInfoA_Open_Buffer_Init() {} void MediaInfoA_Open_Buffer_Continue() {}
void MediaInfoA_Open_Buffer_Continue_GoTo_Get() {} void MediaInfoA_Open_Buffer_Finalize() {}
void MediaInfoA_Close() {} void MediaInfoListA_Close() {}
void MediaInfoA_Inform() {} void MediaInfoListA_Inform() {}
void MediaInfoA_GetI() {} void MediaInfoListA_GetI() {}
void MediaInfoA_Get() {} void MediaInfoListA_Get() {}
void MediaInfoA_Option() {} void MediaInfoListA_Option() {}
void MediaInfoA_State_Get() {} void MediaInfoListA_State_Get() {}
void MediaInfoA_Count_Get() {} void MediaInfoListA_Count_Get() {}
}
