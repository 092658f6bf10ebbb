/* The maker's web address, download page and support e-mail address: the one place to change
   them. Plain string macros, so that the resource script can use them as well as the program. */
#ifndef VELOTH_MAKER_ADDRESSES_H
#define VELOTH_MAKER_ADDRESSES_H

/* Both are shown in the About box as they stand, each in a place of fixed width: the host in
   about 150 pixels, the e-mail address in about 100 at the usual 96 dots per inch (a longer
   address is cut off at both ends; the end-to-end tests check that both fit). */
#define VELOTH_MAKER_HOST "www.veloth.example"
#define VELOTH_SUPPORT_EMAIL "hi@veloth.example"

/* What the browser is given for each. */
#define VELOTH_WEB_LINK "http://" VELOTH_MAKER_HOST
#define VELOTH_MAIL_LINK "mailto:" VELOTH_SUPPORT_EMAIL
#define VELOTH_DOWNLOAD_PAGE "http://" VELOTH_MAKER_HOST "/download.html"

#endif
