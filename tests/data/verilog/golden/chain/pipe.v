//
// created by NOVRA
//	macro    : pipe
//	function : control pipes
//	update   : @TIME@
//


module pipe_1_1_r(
i_1__r_i,
req_out,
o_1_a_i,
reset
);
input	i_1__r_i;
output	req_out;
input	o_1_a_i;
input	reset;
	wire	req, ack;
	assign	req = i_1__r_i;
	assign	ack = o_1_a_i;
/* synopsys dc_script_begin
   set_dont_touch mc 
*/
	muller_c_r	mc(.a(req), .b(~ack), .q(req_out), .reset(reset));
endmodule
