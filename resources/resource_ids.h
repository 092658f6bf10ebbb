/* Resource ids shared by the resource script and the program. */
#ifndef VELOTH_RESOURCE_IDS_H
#define VELOTH_RESOURCE_IDS_H

#define IDS_PRODUCT_NAME 1
#define IDS_VERSION 2

#define IDD_ABOUT 101
#define IDR_MODEL 102
#define IDR_TEXTURE1_JPG 104
#define IDB_FONT 105
#define IDB_SYSFAIL 106
#define IDR_SMALL_TEXTURE_JPG 108
#define IDI_VELOTH 109
#define IDR_BANNER_RAW 110
#define IDC_HAND_CURSOR 111

/* The About box's two link controls. */
#define IDC_WEB_LINK 1003
#define IDC_MAIL_LINK 1004

#endif
